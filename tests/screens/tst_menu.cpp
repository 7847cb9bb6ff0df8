// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu as a child uses it: what its pictures open, the credits panel, modality.
#include "app/Screens.h"
#include "screens/Ualbum.h"
#include "screens/Ufamilles.h"
#include "screens/Urevisions.h"
#include "screens/principale.h"
#include "support/DialogWatcher.h"
#include "support/ModalDriver.h"
#include "support/TestAssets.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

#include <QLabel>
#include <QTabBar>
#include <QtTest>

using principale::ficheFamilles;

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void showsCentredAtItsSize();
    void clickOpens_data();
    void clickOpens();
    void pressOnAWordAndReleaseOutsideOpensNothing();
    void frameIsOnTheControlAChildUsesFirst_data();
    void frameIsOnTheControlAChildUsesFirst();
    void creditsPanelFollowsThePointer_data();
    void creditsPanelFollowsThePointer();
    void menuTakesNoInputWhileAScreenIsOpen();
    void closeBoxEndsTheProgramLikeQuit_data();
    void closeBoxEndsTheProgramLikeQuit();
    void lastColumnsShowTheButtonFace();
    void wordsShowTheLandscapeThroughTheirGround();
    void creditsTexts_data();
    void creditsTexts();

private:
    QWindow* window() const { return ficheFamilles->windowHandle(); }
    void moveTo(QPoint p) { QTest::mouseMove(window(), p); }

    std::unique_ptr<TestAssets> assets_;
    std::unique_ptr<DialogWatcher> dialogs_; // answers any error box a screen raises
    std::unique_ptr<Screens> screens_;
};

void TestMenu::initTestCase() {
    assets_ = std::make_unique<TestAssets>();
    dialogs_ = std::make_unique<DialogWatcher>();
    screens_ = std::make_unique<Screens>();
    ficheFamilles->show();
    QVERIFY(QTest::qWaitForWindowExposed(ficheFamilles));
}

void TestMenu::init() {
    if (!ficheFamilles->isVisible()) {
        ficheFamilles->show();
        QVERIFY(QTest::qWaitForWindowExposed(ficheFamilles));
    }
    moveTo(QPoint(300, 300)); // park the pointer over the landscape
    ficheFamilles->PNinfos->hide();
}

void TestMenu::showsCentredAtItsSize() {
    QCOMPARE(ficheFamilles->size(), QSize(401, 550));
    QCOMPARE(ficheFamilles->windowTitle(), QStringLiteral("Mirabosc"));
    QCOMPARE(ficheFamilles->pos(), QPoint((1024 - 401) / 2, (768 - 550) / 2));
    QCOMPARE(ficheFamilles->familles->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(ficheFamilles->infos->cursor().shape(), Qt::ArrowCursor);
}

void TestMenu::clickOpens_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QString>("opened"); // empty: nothing opens
    QTest::addColumn<QString>("keys");   // keys pressed instead of a click; "tap": a touch
    QTest::addColumn<bool>("credits");   // the credits panel shown afterwards
    QTest::newRow("album word") << QPoint(100, 35) << "album"
                                << "" << false;
    QTest::newRow("transparent corner of the album word") << QPoint(2, 2) << "album"
                                                          << "" << false;
    QTest::newRow("families word") << QPoint(270, 110) << "Ffamilles"
                                   << "" << false;
    QTest::newRow("review word") << QPoint(60, 440) << "revisions"
                                 << "" << false;
    QTest::newRow("landscape") << QPoint(300, 300) << ""
                               << "" << false;
    QTest::newRow("help icon") << QPoint(10, 510) << ""
                               << "" << true;
    QTest::newRow("tap on the album word") << QPoint(100, 35) << "album"
                                           << "tap" << false;
    QTest::newRow("tap on the help icon") << QPoint(10, 510) << ""
                                          << "tap" << true;
    QTest::newRow("Tab, Enter") << QPoint() << "album"
                                << "Tab,Return" << false;
    QTest::newRow("arrows, Space") << QPoint() << "revisions"
                                   << "Tab,Right,Down,Space" << false;
    QTest::newRow("the help icon reached by keys") << QPoint() << ""
                                                   << "Backtab,Backtab" << true;
    QTest::newRow("on from the help icon") << QPoint() << ""
                                           << "Backtab,Backtab,Tab" << false;
}

void TestMenu::clickOpens() {
    QFETCH(QPoint, at);
    QFETCH(QString, opened);
    QFETCH(QString, keys);
    QFETCH(bool, credits);
    static QPointingDevice* const touchscreen = QTest::createTouchDevice();
    ModalDriver driver;
    if (keys.isEmpty()) {
        QTest::mouseClick(window(), Qt::LeftButton, {}, at);
    } else if (keys == QLatin1String("tap")) {
        QTest::touchEvent(window(), touchscreen).press(0, at, window());
        QTest::touchEvent(window(), touchscreen).release(0, at, window());
    } else {
        ficheFamilles->setFocus(); // no picture focused, as at each showing
        ficheFamilles->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(ficheFamilles));
        QTest::keySequence(window(), QKeySequence(keys));
    }
    QCOMPARE(ficheFamilles->PNinfos->isVisible(), credits);
    QCOMPARE(driver.opened(), opened.isEmpty() ? QStringList() : QStringList{opened});
    QCOMPARE(dialogs_->count(), 0); // the default assets are complete
    QVERIFY(ficheFamilles->isVisible());
    QVERIFY(!Ualbum::album->isVisible() && !Ufamilles::Ffamilles->isVisible() &&
            !Urevisions::revisions->isVisible());
}

void TestMenu::pressOnAWordAndReleaseOutsideOpensNothing() {
    ModalDriver driver;
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(270, 110));
    QTest::mouseMove(window(), QPoint(270, 300));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(270, 300));
    QVERIFY(driver.opened().isEmpty());
}

void TestMenu::frameIsOnTheControlAChildUsesFirst_data() {
    QTest::addColumn<QString>("menuKeys");   // from the menu as it shows
    QTest::addColumn<QString>("screenKeys"); // then in the screen they opened
    QTest::addColumn<QString>("framed");
    QTest::newRow("menu") << ""
                          << ""
                          << "imgAlbum";
    QTest::newRow("album: the page's tab") << "Return"
                                           << ""
                                           << "qt_tabwidget_tabbar";
    QTest::newRow("album: the sound, past its panel") << "Return"
                                                      << "Tab Right"
                                                      << "btnSonNon";
    QTest::newRow("explorer") << "Right Return"
                              << ""
                              << "fam1";
    QTest::newRow("explorer: the cards") << "Right Return"
                                         << "Right Right Return"
                                         << "Image1";
    QTest::newRow("explorer: back") << "Right Return"
                                    << "Right Right Return Up Return"
                                    << "fam3";
    QTest::newRow("review: the boxes") << "Right Right Return"
                                       << ""
                                       << "CheckBox1";
    QTest::newRow("review: a round") << "Right Right Return"
                                     << "Return Return"
                                     << "Image1";
}

// Every showing and change of view puts the frame where arrows and Enter act at once, whole:
// drawn by the picture itself, or over the whole control (the current tab) above its neighbours.
void TestMenu::frameIsOnTheControlAChildUsesFirst() {
    QFETCH(QString, menuKeys);
    QFETCH(QString, screenKeys);
    QFETCH(QString, framed);
    const auto press = [](Form* form, const QString& keys) {
        for (const QString& key : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            QTest::keySequence(form->windowHandle(), QKeySequence(key));
        QWidget* focus = form->focusWidget();
        const auto* overlay = form->findChild<QWidget*>(QStringLiteral("focusOverlay"));
        const auto* tabs = qobject_cast<QTabBar*>(focus);
        const QRect whole = tabs ? tabs->tabRect(tabs->currentIndex()) : focus->rect();
        const bool shown =
            qobject_cast<ImageControl*>(focus) ||
            (overlay && overlay->isVisible() &&
             overlay->geometry().contains(whole.translated(focus->mapTo(form, QPoint()))));
        return shown ? focus->objectName() : QStringLiteral("no whole frame");
    };
    ModalDriver driver;
    QString framedInside;
    driver.inside = [&](Form* screen) {
        QVERIFY(QTest::qWaitForWindowActive(screen));
        // The key that opened the screen is let go in it: until then it acts nowhere again.
        QTest::keyRelease(screen->windowHandle(), Qt::Key_Return);
        framedInside = press(screen, screenKeys);
    };
    ficheFamilles->hide(); // a new showing, as at start-up
    ficheFamilles->show();
    QVERIFY(QTest::qWaitForWindowActive(ficheFamilles));
    const QString framedOnMenu = press(ficheFamilles, menuKeys);
    QCOMPARE(menuKeys.isEmpty() ? framedOnMenu : framedInside, framed);
}

void TestMenu::creditsPanelFollowsThePointer_data() {
    QTest::addColumn<QList<QPoint>>("path");
    QTest::addColumn<bool>("shown");
    QTest::newRow("onto the help icon") << QList<QPoint>{{10, 510}} << true;
    QTest::newRow("about on the icon") << QList<QPoint>{{10, 510}, {20, 520}, {5, 530}} << true;
    QTest::newRow("on over the landscape") << QList<QPoint>{{10, 510}, {60, 380}} << false;
    QTest::newRow("jump straight onto a word")
        << QList<QPoint>{{10, 510}, {60, 440}, {100, 30}} << true;
    QTest::newRow("jump straight onto the panel") << QList<QPoint>{{10, 510}, {200, 300}} << true;
    QTest::newRow("from the panel onto the landscape")
        << QList<QPoint>{{10, 510}, {200, 300}, {370, 300}} << false;
}

void TestMenu::creditsPanelFollowsThePointer() {
    QFETCH(QList<QPoint>, path);
    QFETCH(bool, shown);
    for (const QPoint& p : path)
        moveTo(p);
    QCOMPARE(ficheFamilles->PNinfos->isVisible(), shown);
}

void TestMenu::menuTakesNoInputWhileAScreenIsOpen() {
    moveTo(QPoint(10, 510));
    QVERIFY(ficheFamilles->PNinfos->isVisible());
    ModalDriver driver;
    bool stillShownInside = false;
    bool menuStayed = false;
    driver.inside = [&](Form* screen) {
        QCOMPARE(QApplication::activeModalWidget(), screen);
        QTest::mouseMove(window(), QPoint(300, 300));                      // would hide the panel
        QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(200, 480)); // would quit
        stillShownInside = ficheFamilles->PNinfos->isVisible();
        menuStayed = ficheFamilles->isVisible();
    };
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(270, 110));
    QCOMPARE(driver.opened(), QStringList{"Ffamilles"});
    QVERIFY(stillShownInside);
    QVERIFY(menuStayed);
    QVERIFY(ficheFamilles->PNinfos->isVisible()); // as it was before the screen opened
}

void TestMenu::closeBoxEndsTheProgramLikeQuit_data() {
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("close box") << true;
    // Column 200, row 480 lies on both the review and the quit word: quit is on top.
    QTest::newRow("quit picture") << false;
}

void TestMenu::closeBoxEndsTheProgramLikeQuit() {
    QFETCH(bool, closeBox);
    ModalDriver driver;
    QTimer::singleShot(0, ficheFamilles, [this, closeBox] {
        if (closeBox)
            window()->close(); // as the window manager's close box does
        else
            QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(200, 480));
    });
    QTimer deadline; // a menu that stays open fails the test instead of hanging it
    deadline.callOnTimeout([] { QCoreApplication::exit(1); });
    deadline.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(driver.opened().isEmpty());
    QVERIFY(!ficheFamilles->isVisible());
}

void TestMenu::lastColumnsShowTheButtonFace() {
    const QImage shot = ficheFamilles->grab().toImage();
    const QColor face = ficheFamilles->palette().color(QPalette::Window);
    QCOMPARE(shot.pixelColor(399, 300), face);
    QCOMPARE(shot.pixelColor(400, 10), face);
    QCOMPARE(ficheFamilles->fond->drawnRect().size(),
             ficheFamilles->fond->picture().isNull() ? QSize() : QSize(399, 550));
}

void TestMenu::wordsShowTheLandscapeThroughTheirGround() {
    ficheFamilles->setFocus(); // no focus frame over a word
    const QImage shot = ficheFamilles->grab().toImage();
    const QImage landscape = ficheFamilles->fond->grab().toImage();
    // A point of each word's rectangle outside its lettering: album, families, review, quit.
    for (const QPoint at : {QPoint(4, 70), QPoint(175, 150), QPoint(210, 420), QPoint(380, 540)})
        QCOMPARE(shot.pixelColor(at), landscape.pixelColor(at));
}

void TestMenu::creditsTexts_data() {
    QTest::addColumn<QRect>("place"); // left, top and height; the width follows the text
    QTest::addColumn<int>("font");
    QTest::addColumn<bool>("role");
    QTest::addColumn<QString>("text"); // trailing blanks included
    QTest::newRow("Label1") << QRect(24, 40, 0, 16) << 13 << true << "illustracions : ";
    QTest::newRow("Label8") << QRect(80, 66, 0, 16) << 13 << false << "Mirabosc, Noto Color Emoji";
    QTest::newRow("Label2") << QRect(24, 92, 0, 16) << 13 << true << "votz :";
    QTest::newRow("Label4") << QRect(80, 118, 0, 16) << 13 << false << "eSpeak NG";
    QTest::newRow("Label5") << QRect(80, 145, 0, 16) << 13 << false << "votz sintetica";
    QTest::newRow("Label6") << QRect(80, 171, 0, 16) << 13 << false << "";
    QTest::newRow("Label3") << QRect(24, 197, 0, 16) << 13 << true << "logiciau : ";
    QTest::newRow("Label7") << QRect(80, 224, 0, 16) << 13 << false << "contributors de Mirabosc";
    QTest::newRow("Label9") << QRect(208, 248, 0, 13) << 8 << false << "12/2026";
}

void TestMenu::creditsTexts() {
    QFETCH(QRect, place);
    QFETCH(int, font);
    QFETCH(bool, role);
    QFETCH(QString, text);
    const auto* label = ficheFamilles->PNinfos->findChild<QLabel*>(QTest::currentDataTag());
    QVERIFY(label);
    QCOMPARE(QRect(label->pos(), QSize(0, label->height())), place);
    QCOMPARE(label->font().pixelSize(), font);
    QCOMPARE(label->palette().color(QPalette::WindowText) == QColor(0, 0, 255), role);
    QCOMPARE(label->text(), text);
    // Every text shows whole inside the panel's bevel.
    QVERIFY(label->geometry().right() < ficheFamilles->PNinfos->width() - 1);
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
