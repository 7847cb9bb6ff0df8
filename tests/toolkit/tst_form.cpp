// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Forms: auto-size, the show handler's errors, and the close step.
#include "base/Errors.h"
#include "support/DialogWatcher.h"
#include "support/ModalDriver.h"
#include "toolkit/Form.h"
#include "toolkit/KeyHolds.h"
#include "toolkit/Platform.h"

#include <QtTest>

namespace {

// A screen whose handlers a test can make fail or refuse to close.
class ProbeForm : public Form {
public:
    ProbeForm() : Form("probe", "Sonda", Qt::white, 11) {
        top = new QWidget(this);
        top->setGeometry(0, 0, 300, 200);
        bottom = new QWidget(this);
        bottom->setGeometry(0, 200, 300, 48);
        bottom->hide();
    }
    QWidget* top;
    QWidget* bottom;
    bool failShow = false;
    bool failClose = false;
    bool refuseClose = false;
    int shows = 0;
    bool centredBeforeError = false;

protected:
    void FormShow() override {
        centre();
        ++shows;
        if (failShow)
            throw EInvalidGraphic("Image bitmap incorrecte");
    }
    void FormClose(CloseAction& action) override {
        if (failClose)
            throw EMCIDeviceError("Aucun périphérique MCI ouvert");
        if (refuseClose)
            action = CloseAction::caNone;
    }
};

} // namespace

class TestForm : public QObject {
    Q_OBJECT
private slots:
    void autoSizeFollowsVisibleChildrenAndKeepsTheTopLeft();
    void showErrorIsReportedBeforeTheScreenShows();
    void closeStepCanKeepTheScreenOpen_data();
    void closeStepCanKeepTheScreenOpen();
    void draggedScreenIsCentredAgain();
    void x11IsChosenWhereverItIsThere_data();
    void x11IsChosenWhereverItIsThere();
    void aKeyActsOnItsPressOnly_data();
    void aKeyActsOnItsPressOnly();
};

void TestForm::autoSizeFollowsVisibleChildrenAndKeepsTheTopLeft() {
    ProbeForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.size(), QSize(300, 200));
    const QPoint corner = form.pos();
    form.bottom->show();
    QCOMPARE(form.size(), QSize(300, 248));
    QCOMPARE(form.pos(), corner);
    form.top->hide(); // a view switch: for a moment no child shows
    form.bottom->hide();
    QCOMPARE(form.size(), QSize(300, 248)); // not 0x0, which Qt would unmap
    form.top->show();
    form.bottom->show();
    form.top->resize(320, 200);
    QCOMPARE(form.size(), QSize(320, 248));
    form.bottom->hide();
    QCOMPARE(form.size(), QSize(320, 200));
}

void TestForm::showErrorIsReportedBeforeTheScreenShows() {
    ProbeForm form;
    form.failShow = true;
    DialogWatcher dialogs;
    bool visibleWhenReported = true;
    dialogs.onShown = [&](const ShownDialog&) { visibleWhenReported = form.isVisible(); };
    ModalDriver driver;
    driver.keepOpen = true;
    driver.inside = [&](Form* f) { f->close(); };
    form.showModal();
    QCOMPARE(dialogs.count(), 1);
    QCOMPARE(dialogs.last().text, QStringLiteral("Image bitmap incorrecte."));
    QCOMPARE(dialogs.last().title, QCoreApplication::applicationName());
    QCOMPARE(dialogs.last().icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last().buttons, QStringList{"OK"});
    QVERIFY(!visibleWhenReported);
    QCOMPARE(driver.opened(), QStringList{"probe"}); // shown all the same
}

void TestForm::closeStepCanKeepTheScreenOpen_data() {
    QTest::addColumn<bool>("failClose");
    QTest::addColumn<bool>("refuseClose");
    QTest::addColumn<int>("errors");
    QTest::newRow("close handler raises") << true << false << 1;
    QTest::newRow("close action none") << false << true << 0;
}

void TestForm::closeStepCanKeepTheScreenOpen() {
    QFETCH(bool, failClose);
    QFETCH(bool, refuseClose);
    QFETCH(int, errors);
    ProbeForm form;
    form.failClose = failClose;
    form.refuseClose = refuseClose;
    DialogWatcher dialogs;
    ModalDriver driver;
    driver.keepOpen = true;
    bool stayedOpen = false;
    driver.inside = [&](Form* f) {
        f->close();
        stayedOpen = f->isVisible() && f->isShowingModally() && f->modalResult() == Form::mrNone;
        form.failClose = form.refuseClose = false;
        f->close();
    };
    const int result = form.showModal();
    QVERIFY(stayedOpen);
    QCOMPARE(dialogs.count(), errors);
    QCOMPARE(result, int(Form::mrCancel));
    QVERIFY(!form.isVisible());
}

void TestForm::draggedScreenIsCentredAgain() {
    ProbeForm form;
    ModalDriver driver;
    QList<QPoint> positions;
    driver.inside = [&](Form* f) {
        positions << f->pos();
        f->move(5, 7);
    };
    form.showModal();
    form.showModal();
    QCOMPARE(positions.size(), 2);
    QCOMPARE(positions[0], QPoint((1024 - 300) / 2, (768 - 200) / 2));
    QCOMPARE(positions[1], positions[0]);
}

void TestForm::x11IsChosenWhereverItIsThere_data() {
    // QT_QPA_PLATFORM, DISPLAY, WAYLAND_DISPLAY, and the platform asked for (none: Qt's own).
    using namespace Qt::StringLiterals;
    for (const char* column : {"requested", "display", "wayland", "chosen"})
        QTest::addColumn<QByteArray>(column);
    QTest::newRow("the user's choice stands") << "wayland"_ba
                                              << ":0"_ba
                                              << "wayland-0"_ba
                                              << ""_ba;
    QTest::newRow("XWayland") << ""_ba
                              << ":0"_ba
                              << "wayland-0"_ba
                              << "xcb;wayland"_ba;
    QTest::newRow("X11 alone") << ""_ba
                               << ":1"_ba
                               << ""_ba
                               << "xcb"_ba;
    QTest::newRow("Wayland alone") << ""_ba
                                   << ""_ba
                                   << "wayland-1"_ba
                                   << "wayland"_ba;
    QTest::newRow("no display known") << ""_ba
                                      << ""_ba
                                      << ""_ba
                                      << ""_ba;
}

void TestForm::x11IsChosenWhereverItIsThere() {
    QFETCH(QByteArray, requested);
    QFETCH(QByteArray, display);
    QFETCH(QByteArray, wayland);
    QFETCH(QByteArray, chosen);
    QCOMPARE(platform::choose(requested, display, wayland), chosen);
}

void TestForm::aKeyActsOnItsPressOnly_data() {
    // p: press, r: release, upper case: flagged as a repeat, then the key and the time; c and n:
    // a press and a release as X sent them, told ahead of delivery; x: the platform says no key
    // is down. After "=": whether each press or release delivered goes on to the windows.
    QTest::addColumn<QString>("events");
    QTest::newRow("held, then pressed again") << "pa1 pa700 pa740 ra0 pa900 = 10011";
    QTest::newRow("repeats the platform flags") << "pa1 Ra0 Pa700 Ra0 ra0 pa900 = 100011";
    QTest::newRow("X's repeats, unflagged")
        << "ca1 pa1 na700 ca700 ra700 pa700 na740 ca740 ra740 pa740 na900 ra900 ca950 pa950"
           " = 1000011";
    QTest::newRow("a second key while one is held") << "pa1 pb50 pa700 rb0 ra0 = 11011";
    QTest::newRow("no time known") << "pa0 pa0 ra0 pa0 ra0 pa0 = 101111";
    QTest::newRow("a repeat of a key pressed elsewhere") << "Pa5 pa45 ra0 pa60 = 0011";
    QTest::newRow("X's repeat of a key pressed elsewhere") << "na5 ca5 ra5 pa5 na45 ra45 = 001";
    QTest::newRow("its release went to another program") << "pa1 pa1900 pa3950 = 101";
    QTest::newRow("a release to no window of ours") << "pa1 x pa300 = 11";
    QTest::newRow("releases told ahead of presses")
        << "ca1 pa1 na700 ca700 na740 ca740 ra700 pa700 ra740 pa740 na900 ra900 = 100001";
    QTest::newRow("a release read before X's next press") << "ca1 pa1 na700 Ra700 ca700 pa700"
                                                             " na900 ra900 = 1001";
    QTest::newRow("keys behind a modal window never delivered")
        << "ca1 pa1 na700 ca700 na900 ca1100 pa1100 = 11";
    QTest::newRow("taps within one millisecond") << "ca5 na5 pa5 ra5 ca300 na300 pa300 ra300"
                                                    " = 1111";
    QTest::newRow("let go in the millisecond of a repeat")
        << "ca1 pa1 na700 ca700 na700 ra700 pa700 ra700 ca1200 pa1200 = 10011";
}

void TestForm::aKeyActsOnItsPressOnly() {
    QFETCH(QString, events);
    KeyHolds holds;
    QString went;
    for (const QString& e : events.section(QLatin1String(" = "), 0, 0).split(QLatin1Char(' '))) {
        const char kind = e.at(0).toLatin1();
        const int key = e.size() > 1 ? e.at(1).unicode() : 0;
        const std::uint64_t time = e.mid(2).toULong();
        if (kind == 'x')
            holds.keepOnly([](int) { return false; });
        else if (kind == 'c')
            holds.platformPress(key, time);
        else if (kind == 'n')
            holds.platformRelease(key, time);
        else
            went += (std::tolower(kind) == 'p' ? holds.press(key, time, std::isupper(kind))
                                               : holds.release(key, time, std::isupper(kind)))
                        ? QLatin1Char('1')
                        : QLatin1Char('0');
    }
    QCOMPARE(went, events.section(QLatin1String(" = "), 1));
}

QTEST_MAIN(TestForm)
#include "tst_form.moc"
