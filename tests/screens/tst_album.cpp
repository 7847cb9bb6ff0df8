// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The album as a child uses it: the tabs and the pages they show and narrate, the narration
// switch, the visible part of the picture, and what each failing file leaves behind.
#include "assets/Catalogue.h"
#include "audio/MediaPlayerMP3.h"
#include "pictures/PictureLoader.h"
#include "screens/Ualbum.h"
#include "support/BmpWriter.h"
#include "support/DialogWatcher.h"
#include "support/PlayerProbe.h"
#include "support/TestAssets.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"

#include <QPointer>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

using Ualbum::sonActif;
using Ualbum::Talbum;

namespace {

constexpr QSize clientSize(761, 561);
constexpr QSize display(1024, 768);
// Window coordinates: the panel starts 25 rows down, the picture one column and two rows in.
constexpr QPoint pictureOrigin(1, 27);
constexpr int visibleColumns = 752;
// Points on the narration buttons, in window coordinates (the pair sits at panel row 483).
constexpr QPoint onSonOuiOnly(16, 530);
constexpr QPoint inOverlap(44, 530);
constexpr QPoint onSonNonOnly(72, 530);
constexpr QPoint belowThePanel(20, 555); // the buttons' last row, cut off by the panel
// Enough sound that a restart is told apart from a narration going on.
constexpr qint64 wellUnderway = 20000;
const QColor marker(255, 0, 255);

QString picture(int page) {
    return catalogue::albumPicture(page);
}
QString narration(int page) {
    return catalogue::albumNarration(page);
}

QByteArray plainBitmap(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(marker);
    return bmpwriter::encode(image, 24);
}

} // namespace

class TestAlbum : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensCentredOnPageOneWithSeventeenTabs();
    void tabShowsAndNarratesItsPage_data();
    void tabShowsAndNarratesItsPage();
    void keyboardTurnsPages_data();
    void keyboardTurnsPages();
    void tabChangeFollowsTheSwitch_data();
    void tabChangeFollowsTheSwitch();
    void narrationOnPlaysThePageOnShowFromItsStart();
    void pressedSonOuiRestartsTheNarration();
    void reopeningAfterNarrationOffSpeaksAgain();
    void closingStopsTheNarrationAndFreesTheTabs();
    void pictureSizeAndVisibleColumns_data();
    void pictureSizeAndVisibleColumns();
    void radioPairClicks_data();
    void radioPairClicks();
    void glyphGroundShowsTheButtonFace();
    void failedShow_data();
    void failedShow();
    void failedTabChange_data();
    void failedTabChange();
    void narrationOnRefusedLeavesTheSwitchOn();

private:
    Talbum& album() const { return *album_; }
    MediaPlayerMP3& player() const { return *album_->MediaPlayerMP3; }
    QWindow* window() const { return album_->windowHandle(); }
    void open();
    void clickAt(QPoint p) { QTest::mouseClick(window(), Qt::LeftButton, {}, p); }
    void clickTab(int index);
    int tabCaptioned(const QString& caption) const;
    void verifyPlaying(int page);

    std::unique_ptr<TestAssets> assets_;
    // Answers every box, so that an unexpected one fails the test instead of blocking it.
    std::unique_ptr<DialogWatcher> dialogs_;
    int boxesExpected_ = 0;
    std::unique_ptr<Talbum> album_;
};

void TestAlbum::init() {
    assets_ = std::make_unique<TestAssets>();
    dialogs_ = std::make_unique<DialogWatcher>();
    boxesExpected_ = 0;
    sonActif = false; // as at program start
    album_ = std::make_unique<Talbum>();
}

void TestAlbum::cleanup() {
    if (album_->isVisible())
        album_->close();
    album_.reset();
    const QStringList boxes = dialogs_->texts();
    dialogs_.reset();
    assets_.reset();
    QVERIFY2(boxes.size() == boxesExpected_, qPrintable(boxes.join(QLatin1Char('|'))));
}

void TestAlbum::open() {
    album_->show();
    QVERIFY(QTest::qWaitForWindowExposed(album_.get()));
    QTest::mouseMove(window(), QPoint(400, 300)); // park the pointer over the picture
}

void TestAlbum::clickTab(int index) {
    QTabBar* bar = album_->PageControl1->tabBar();
    const QRect tab = bar->tabRect(index);
    QVERIFY2(bar->rect().contains(tab), "every tab shows in the row");
    clickAt(bar->mapTo(album_.get(), tab.center()));
}

int TestAlbum::tabCaptioned(const QString& caption) const {
    for (int i = 0; i < album_->PageControl1->count(); ++i)
        if (album_->PageControl1->tabText(i) == caption)
            return i;
    return -1;
}

void TestAlbum::verifyPlaying(int page) {
    QCOMPARE(player().openFile(), narration(page));
    QVERIFY(player().isPlaying());
    QTRY_VERIFY(PlayerProbe::framesDelivered(player()) > 0);
}

void TestAlbum::opensCentredOnPageOneWithSeventeenTabs() {
    open();
    QCOMPARE(album().size(), clientSize);
    QCOMPARE(album().pos(), QPoint((display.width() - clientSize.width()) / 2,
                                   (display.height() - clientSize.height()) / 2));
    QCOMPARE(album().windowTitle(), QStringLiteral("Mirabosc"));
    QTabWidget* tabs = album().PageControl1;
    QCOMPARE(tabs->count(), 17);
    for (int i = 0; i < tabs->count(); ++i) {
        QCOMPARE(tabs->widget(i)->objectName(), QStringLiteral("onglet%1").arg(i));
        QCOMPARE(tabs->tabText(i),
                 i == 0 ? QStringLiteral("Mirabosc") : QStringLiteral("p. %1").arg(i));
    }
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(album().img->picture(), TestAssets::picture(picture(1)));
    verifyPlaying(1);
    QVERIFY(sonActif);
    QVERIFY(album().btnSonOui->isChecked());
    QVERIFY(!album().btnSonNon->isChecked());
}

void TestAlbum::tabShowsAndNarratesItsPage_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("page");
    QTest::newRow("first tab") << "Mirabosc" << 1;
    QTest::newRow("p. 1 is page 2") << "p. 1" << 2;
    QTest::newRow("p. 5 is page 6") << "p. 5" << 6;
    QTest::newRow("last tab") << "p. 16" << 17;
}

void TestAlbum::tabShowsAndNarratesItsPage() {
    QFETCH(QString, caption);
    QFETCH(int, page);
    open();
    const int index = tabCaptioned(caption);
    QVERIFY(index >= 0);
    if (index == album().PageControl1->currentIndex())
        clickTab(index + 1); // come back to it from elsewhere
    clickTab(index);
    QCOMPARE(album().PageControl1->currentIndex(), index);
    QCOMPARE(album().img->picture(), TestAssets::picture(picture(page)));
    verifyPlaying(page);
}

void TestAlbum::keyboardTurnsPages_data() {
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<int>("tab");
    QTest::newRow("right arrow") << QStringList{"Right"} << 1;
    QTest::newRow("right, right, left") << QStringList{"Right", "Right", "Left"} << 1;
    QTest::newRow("left arrow stops at the first tab") << QStringList{"Left"} << 0;
    QTest::newRow("ctrl+tab twice") << QStringList{"Ctrl+Tab", "Ctrl+Tab"} << 2;
    QTest::newRow("ctrl+shift+tab cycles to the last") << QStringList{"Ctrl+Shift+Tab"} << 16;
    QTest::newRow("ctrl+tab cycles from the last to the first")
        << QStringList{"Ctrl+Shift+Tab", "Ctrl+Tab"} << 0;
    QTest::newRow("the wheel turns no page") << QStringList{"wheel", "wheel", "-wheel"} << 0;
}

void TestAlbum::keyboardTurnsPages() {
    QFETCH(QStringList, keys);
    QFETCH(int, tab);
    open();
    QVERIFY(QTest::qWaitForWindowActive(album_.get()));
    QCOMPARE(QApplication::focusWidget(), album().PageControl1->tabBar());
    QVERIFY(player().openFile() == narration(1));
    for (const QString& key : keys) {
        if (key.endsWith(QLatin1String("wheel"))) { // a notch towards or away from the child
            const QPoint angle(0, key.startsWith(QLatin1Char('-')) ? -120 : 120);
            QWheelEvent wheel(QPointF(20, 10), QPointF(), {}, angle, Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(album().PageControl1->tabBar(), &wheel);
        } else {
            QTest::keySequence(window(), QKeySequence(key));
        }
    }
    QCOMPARE(album().PageControl1->currentIndex(), tab);
    QCOMPARE(album().img->picture(), TestAssets::picture(picture(tab + 1)));
    verifyPlaying(tab + 1);
}

void TestAlbum::tabChangeFollowsTheSwitch_data() {
    QTest::addColumn<bool>("on");
    QTest::newRow("narration on: the new page speaks") << true;
    QTest::newRow("narration off: the new page is silent") << false;
}

void TestAlbum::tabChangeFollowsTheSwitch() {
    QFETCH(bool, on);
    open();
    if (!on)
        clickAt(onSonNonOnly);
    clickTab(3);
    QCOMPARE(album().img->picture(), TestAssets::picture(picture(4)));
    QCOMPARE(player().fileName(), narration(4)); // named, ready for btnSonOui
    QCOMPARE(player().openFile(), on ? narration(4) : QString());
    QCOMPARE(sonActif, on);
    QCOMPARE(album().btnSonOui->isChecked(), on);
    QCOMPARE(album().btnSonNon->isChecked(), !on);
}

void TestAlbum::narrationOnPlaysThePageOnShowFromItsStart() {
    open();
    clickAt(onSonNonOnly);
    QVERIFY(!player().isOpen());
    clickTab(2);
    clickTab(7);
    QVERIFY(!player().isOpen());
    clickAt(onSonOuiOnly);
    QVERIFY(sonActif);
    QVERIFY(album().btnSonOui->isChecked());
    QCOMPARE(album().img->picture(), TestAssets::picture(picture(8)));
    verifyPlaying(8);
}

void TestAlbum::pressedSonOuiRestartsTheNarration() {
    open();
    QTRY_VERIFY(PlayerProbe::framesDelivered(player()) > wellUnderway);
    QVERIFY(player().isPlaying());
    clickAt(onSonOuiOnly);
    // A restart reopens the file: what this narration has delivered starts again from nothing.
    QVERIFY(PlayerProbe::framesDelivered(player()) < wellUnderway);
    QVERIFY(album().btnSonOui->isChecked());
    verifyPlaying(1);
}

void TestAlbum::reopeningAfterNarrationOffSpeaksAgain() {
    open();
    clickAt(onSonNonOnly);
    album().close();
    QVERIFY(!sonActif);
    QVERIFY(album().btnSonNon->isChecked()); // kept until the next show

    open();
    QVERIFY(sonActif);
    QVERIFY(album().btnSonOui->isChecked());
    QVERIFY(!album().btnSonNon->isChecked());
    verifyPlaying(1);
    clickTab(2);
    verifyPlaying(3);
}

void TestAlbum::closingStopsTheNarrationAndFreesTheTabs() {
    const QRegularExpression tabNames(QStringLiteral("^onglet"));
    open();
    clickTab(3);
    QTRY_VERIFY(PlayerProbe::framesDelivered(player()) > 0);
    QList<QPointer<QWidget>> sheets;
    for (QWidget* sheet : album().findChildren<QWidget*>(tabNames))
        sheets << sheet;
    QCOMPARE(sheets.size(), 17);

    QVERIFY(album().close());
    QVERIFY(!album().isVisible());
    QVERIFY(!player().isOpen());
    QVERIFY(!player().isPlaying());
    QCOMPARE(album().PageControl1->count(), 0);
    for (const QPointer<QWidget>& sheet : sheets)
        QVERIFY(sheet.isNull());
    // Freeing the tabs turned no page: the picture and the switch stay as they were.
    QCOMPARE(album().img->picture(), TestAssets::picture(picture(4)));
    QVERIFY(sonActif);

    open();
    const QList<QWidget*> fresh = album().findChildren<QWidget*>(tabNames);
    QCOMPARE(fresh.size(), 17);
    QSet<QString> names;
    for (QWidget* sheet : fresh)
        names << sheet->objectName();
    QCOMPARE(names.size(), 17);
    for (int i = 0; i < 17; ++i)
        QCOMPARE(album().PageControl1->widget(i)->objectName(), QStringLiteral("onglet%1").arg(i));
    QCOMPARE(album().PageControl1->currentIndex(), 0);
    QCOMPARE(album().img->picture(), TestAssets::picture(picture(1)));
    verifyPlaying(1);
}

void TestAlbum::pictureSizeAndVisibleColumns_data() {
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("drawn");
    QTest::newRow("1000 x 500 at 800 x 400") << QSize(1000, 500) << QSize(800, 400);
    QTest::newRow("as large as the control") << QSize(800, 527) << QSize(800, 527);
    QTest::newRow("too tall for the wide fit") << QSize(900, 600) << QSize(790, 527);
    QTest::newRow("portrait") << QSize(600, 1000) << QSize(316, 527);
    QTest::newRow("small one not enlarged") << QSize(400, 300) << QSize(400, 300);
}

void TestAlbum::pictureSizeAndVisibleColumns() {
    QFETCH(QSize, size);
    QFETCH(QSize, drawn);
    assets_->replace(picture(1), plainBitmap(size));
    open();
    QCOMPARE(album().img->drawnRect().size(), drawn);

    const QImage shot = album().grab().toImage();
    const int shown = std::min(drawn.width(), visibleColumns);
    const int midRow = pictureOrigin.y() + drawn.height() / 2;
    QCOMPARE(shot.pixelColor(pictureOrigin.x(), midRow), marker);
    QCOMPARE(shot.pixelColor(pictureOrigin.x() + shown - 1, midRow), marker);
    // The next column is the panel's white, or past the panel the tab control's edge.
    QVERIFY(shot.pixelColor(pictureOrigin.x() + shown, midRow) != marker);
    const int midColumn = pictureOrigin.x() + shown / 2;
    QCOMPARE(shot.pixelColor(midColumn, pictureOrigin.y() + drawn.height() - 1), marker);
    QVERIFY(shot.pixelColor(midColumn, pictureOrigin.y() + drawn.height()) != marker);
}

void TestAlbum::radioPairClicks_data() {
    QTest::addColumn<bool>("startOn");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<bool>("endOn");
    QTest::addColumn<QString>("keys"); // pressed instead of the click; "tap": a touch there
    QTest::newRow("on, sonNon switches off") << true << onSonNonOnly << false << "";
    QTest::newRow("on, the overlap belongs to sonNon") << true << inOverlap << false << "";
    QTest::newRow("on, pressed sonOui stays pressed") << true << onSonOuiOnly << true << "";
    QTest::newRow("on, the cut-off row is not a button") << true << belowThePanel << true << "";
    QTest::newRow("off, sonOui switches on") << false << onSonOuiOnly << true << "";
    QTest::newRow("off, pressed sonNon stays pressed") << false << inOverlap << false << "";
    // Tab reaches the pressed button of the pair; an arrow only moves the frame to the other.
    QTest::newRow("on, Tab and Right moves only") << true << QPoint() << true << "Tab,Right";
    QTest::newRow("on, Tab, Right and Space") << true << QPoint() << false << "Tab,Right,Space";
    QTest::newRow("on, Tab, Left round and Enter")
        << true << QPoint() << false << "Tab,Left,Return";
    QTest::newRow("on, Tab and Space restarts") << true << QPoint() << true << "Tab,Space";
    QTest::newRow("off, Tab and Enter") << false << QPoint() << true << "Tab,Return";
    QTest::newRow("on, a tap on sonNon") << true << onSonNonOnly << false << "tap";
}

void TestAlbum::radioPairClicks() {
    QFETCH(bool, startOn);
    QFETCH(QPoint, at);
    QFETCH(bool, endOn);
    QFETCH(QString, keys);
    static QPointingDevice* const touchscreen = QTest::createTouchDevice();
    open();
    if (!startOn)
        clickAt(onSonNonOnly);
    QCOMPARE(sonActif, startOn);
    if (keys.isEmpty()) {
        clickAt(at);
    } else if (keys == QLatin1String("tap")) {
        QTest::touchEvent(window(), touchscreen).press(0, at, window());
        QTest::touchEvent(window(), touchscreen).release(0, at, window());
    } else {
        QVERIFY(QTest::qWaitForWindowActive(album_.get()));
        QTest::keySequence(window(), QKeySequence(keys));
    }
    QCOMPARE(sonActif, endOn);
    QCOMPARE(album().btnSonOui->isChecked(), endOn);
    QCOMPARE(album().btnSonNon->isChecked(), !endOn);
    if (endOn)
        verifyPlaying(1);
    else
        QVERIFY(!player().isOpen());
}

void TestAlbum::glyphGroundShowsTheButtonFace() {
    open(); // btnSonNon released: its glyph sits unshifted on the plain face
    const QImage raw = pictures::embedded(QStringLiteral(":/art/sonNon.bmp"));
    QCOMPARE(raw.size(), QSize(48, 48));
    const QRgb ground = raw.pixel(0, raw.height() - 1);
    // One pixel of the ground and one of ink, inside the button's bevel.
    QPoint groundAt(-1, -1), inkAt(-1, -1);
    for (int y = 4; y < 44; ++y)
        for (int x = 4; x < 44; ++x)
            (raw.pixel(x, y) == ground ? groundAt : inkAt) = QPoint(x, y);
    QVERIFY(groundAt.x() >= 0 && inkAt.x() >= 0);

    const QImage shot = album().grab().toImage();
    const SpeedButton* button = album().btnSonNon;
    QCOMPARE(shot.pixelColor(button->mapTo(&album(), groundAt)),
             button->palette().color(QPalette::Button));
    QCOMPARE(shot.pixelColor(button->mapTo(&album(), inkAt)), raw.pixelColor(inkAt));
}

void TestAlbum::failedShow_data() {
    QTest::addColumn<bool>("visitedBefore"); // left silent on page 6
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QByteArray>("bytes"); // empty: the file is removed
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("pictureAfter");
    const QByteArray none;
    const QString noFile = QStringLiteral("Impossible d'ouvrir le fichier");
    const QString notFound = QStringLiteral("Le fichier spécifié est introuvable");
    const QString notMp3 = QStringLiteral("Le fichier n'est pas un fichier audio MP3 lisible.");
    QTest::newRow("first visit, picture 1 missing") << false << picture(1) << none << noFile << "";
    QTest::newRow("picture 1 missing") << true << picture(1) << none << noFile << picture(6);
    QTest::newRow("picture 1 not a bitmap")
        << true << picture(1) << QByteArray(4096, 'x') << "Image bitmap incorrecte." << picture(6);
    QTest::newRow("narration 1 missing") << true << narration(1) << none << notFound << picture(1);
    QTest::newRow("narration 1 not an MP3")
        << true << narration(1) << QByteArray(4096, 'x') << notMp3 << picture(1);
    QTest::newRow("first visit, narration 1 missing")
        << false << narration(1) << none << notFound << picture(1);
}

void TestAlbum::failedShow() {
    QFETCH(bool, visitedBefore);
    QFETCH(QString, broken);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    QFETCH(QString, pictureAfter);
    if (visitedBefore) {
        open();
        clickTab(5);
        clickAt(onSonNonOnly);
        album().close();
    }
    if (bytes.isEmpty())
        assets_->remove(broken);
    else
        assets_->replace(broken, bytes);

    DialogWatcher& dialogs = *dialogs_;
    boxesExpected_ = 1;
    bool hiddenDuringError = false;
    dialogs.onShown = [&](const ShownDialog&) { hiddenDuringError = !album_->isVisible(); };
    open();
    QCOMPARE(dialogs.count(), 1); // the show selected tab 0 without turning a page
    QVERIFY(dialogs.last().text.startsWith(error));
    QVERIFY(hiddenDuringError);
    QVERIFY(album().isVisible());
    QCOMPARE(album().PageControl1->count(), 17);
    QCOMPARE(album().PageControl1->currentIndex(), 0);
    QCOMPARE(album().img->picture(), TestAssets::picture(pictureAfter));
    QCOMPARE(album().img->picture().isNull(), pictureAfter.isEmpty());
    QVERIFY(!player().isOpen());
    // The switch and the buttons keep what the last visit left (off, or as at start).
    QVERIFY(!sonActif);
    QCOMPARE(album().btnSonOui->isChecked(), !visitedBefore);
    QCOMPARE(album().btnSonNon->isChecked(), visitedBefore);
}

void TestAlbum::failedTabChange_data() {
    QTest::addColumn<QString>("broken");
    QTest::addColumn<QByteArray>("bytes"); // empty: the file is removed
    QTest::addColumn<QString>("error");
    QTest::newRow("picture missing")
        << picture(6) << QByteArray() << QStringLiteral("Impossible d'ouvrir le fichier");
    QTest::newRow("picture truncated") << picture(6) << TestAssets::original(picture(6)).left(100)
                                       << QStringLiteral("Erreur de lecture du flux.");
    QTest::newRow("narration missing")
        << narration(6) << QByteArray() << QStringLiteral("Le fichier spécifié est introuvable");
    QTest::newRow("narration not an MP3")
        << narration(6) << QByteArray(4096, 'x') << QStringLiteral("Le fichier n'est pas");
}

void TestAlbum::failedTabChange() {
    QFETCH(QString, broken);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const bool pictureFails = broken == picture(6);
    if (bytes.isEmpty())
        assets_->remove(broken);
    else
        assets_->replace(broken, bytes);
    open();
    QTRY_VERIFY(PlayerProbe::framesDelivered(player()) > 0);

    DialogWatcher& dialogs = *dialogs_;
    boxesExpected_ = 1;
    clickTab(5);
    QCOMPARE(dialogs.count(), 1);
    QVERIFY(dialogs.last().text.startsWith(error));
    QCOMPARE(album().PageControl1->currentIndex(), 5);
    QVERIFY(sonActif);
    QVERIFY(album().btnSonOui->isChecked());
    if (pictureFails) {
        // Stopped before the player: page 1's narration goes on and stays named.
        QCOMPARE(album().img->picture(), TestAssets::picture(picture(1)));
        QCOMPARE(player().fileName(), narration(1));
        verifyPlaying(1);
    } else {
        // The new page shows, silent: the old narration was cut before the refusal.
        QCOMPARE(album().img->picture(), TestAssets::picture(picture(6)));
        QCOMPARE(player().fileName(), narration(6));
        QVERIFY(!player().isOpen());
        QVERIFY(!player().isPlaying());
    }
    QVERIFY(album().isVisible());
}

void TestAlbum::narrationOnRefusedLeavesTheSwitchOn() {
    assets_->remove(narration(6));
    open();
    clickAt(onSonNonOnly);
    clickTab(5); // silent: nothing opens the missing narration yet
    DialogWatcher& dialogs = *dialogs_;
    boxesExpected_ = 1;
    clickAt(onSonOuiOnly);
    QCOMPARE(dialogs.count(), 1);
    QVERIFY(dialogs.last().text.startsWith(QStringLiteral("Le fichier spécifié est introuvable")));
    QVERIFY(sonActif);
    QVERIFY(album().btnSonOui->isChecked());
    QVERIFY(!player().isOpen());
    QCOMPARE(album().img->picture(), TestAssets::picture(picture(6)));
}

QTEST_MAIN(TestAlbum)
#include "tst_album.moc"
