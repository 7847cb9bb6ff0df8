// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The review screen as a child uses it: the family choice, rounds, picks, replay and failures.
#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "pictures/PictureLoader.h"
#include "screens/Urevisions.h"
#include "support/DialogWatcher.h"
#include "support/PlayerProbe.h"
#include "support/TestAssets.h"
#include "toolkit/Dialogs.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <set>

using namespace Urevisions;
using Families = QList<int>;

namespace {

constexpr QPoint parking(400, 170); // bare panel between the pictures and the boxes

// The width of the message box on screen: wide enough for a window manager's title, bold and
// beside its buttons ("Faus" alone gave 102 pixels, too narrow for "Erreur").
int shownBoxWidth() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w) && w->isVisible())
            return w->width();
    return 0;
}
constexpr int titleRoom = 180;

QList<int> board() {
    return {cartesAffichees.begin() + 1, cartesAffichees.end()};
}

QList<int> familyCardsOf(const Families& families) {
    QList<int> cards;
    for (int k : families)
        for (int c : catalogue::familyCards(k))
            cards << c;
    return cards;
}

// What the loader or the player says about a file, as the error box shows it.
QString pictureError(const QString& path) {
    try {
        pictures::loadPicture(path);
    } catch (const Exception& e) {
        return dialogs::withFullStop(e.message());
    }
    return {};
}

QString wordError(const QString& path) {
    MediaPlayerMP3 probe;
    probe.setFileName(path);
    try {
        probe.open();
    } catch (const Exception& e) {
        return dialogs::withFullStop(e.message());
    }
    return {};
}

} // namespace

class TestRevisions : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controlsSitWhereTheChildSeesThem_data();
    void controlsSitWhereTheChildSeesThem();
    void everyShowingStartsInTheFamilyChoice_data();
    void everyShowingStartsInTheFamilyChoice();
    void tabGoesThroughTheBoxesThenOk();
    void boxesCarryTheClasssFamilyNames();
    void keysStartARoundAndOnlyNewPressesPick_data();
    void keysStartARoundAndOnlyNewPressesPick();
    void okWithNothingTickedSaysSoAndStaysInTheChoice();
    void okStartsARoundOfTheChosenFamilies_data();
    void okStartsARoundOfTheChosenFamilies();
    void hiddenOkCannotStartASecondDraw();
    void rightPickCountsOnlyAfterExacteThenDrawsAgain_data() { gestures(); }
    void rightPickCountsOnlyAfterExacteThenDrawsAgain();
    void wrongPickKeepsBoardAndPlayerAndCountsAgain_data() { gestures(); }
    void wrongPickKeepsBoardAndPlayerAndCountsAgain();
    void replayRestartsTheWord_data();
    void replayRestartsTheWord();
    void counterTexts_data();
    void counterTexts();
    void clicksDuringTheFamilyChoiceAreNotJudged_data();
    void clicksDuringTheFamilyChoiceAreNotJudged();
    void closingSilencesTheWord();
    void brokenFamilyPictureStopsTheShowAtThatPicture_data();
    void brokenFamilyPictureStopsTheShowAtThatPicture();
    void missingCardPictureStopsTheDrawAtThatSlot();
    void unplayableWordLeavesTheRoundStanding();

private:
    QWindow* window() const { return form_->windowHandle(); }
    QPoint at(QWidget* w, QPoint inside) const { return w->mapTo(form_.get(), inside); }
    void click(QWidget* w) {
        QTest::mouseClick(window(), Qt::LeftButton, {}, at(w, w->rect().center()));
    }
    void clickSlot(int slot) { click(form_->Image(slot)); }
    void showScreen();
    void closeScreen();
    void start(const Families& families, bool keys = false);
    void pick(int slot, const QString& how);
    void activate();
    static void gestures() {
        QTest::addColumn<QString>("how");
        for (const char* how : {"click", "tap", "keys"})
            QTest::newRow(how) << QString::fromLatin1(how);
    }
    int aWrongSlot() const { return positionCible == 1 ? 2 : 1; }
    QStringList pictureFiles() const;
    void verifyFamilyChoiceFace();
    void verifyRoundLaidOut(const Families& families);

    std::unique_ptr<TestAssets> assets_;
    std::unique_ptr<Trevisions> form_;
};

void TestRevisions::init() {
    assets_ = std::make_unique<TestAssets>();
    form_ = std::make_unique<Trevisions>();
    QCOMPARE(revisions, form_.get());
}

void TestRevisions::cleanup() {
    form_.reset();
    assets_.reset();
}

void TestRevisions::showScreen() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QTest::mouseMove(window(), parking);
}

void TestRevisions::closeScreen() {
    QVERIFY(form_->close());
    QVERIFY(!form_->isVisible());
}

// Ticks the boxes as a child would, on the box itself or with Space, then presses "OK" (Enter).
void TestRevisions::start(const Families& families, bool keys) {
    if (keys)
        activate();
    for (int k : families) {
        QCheckBox* box = form_->CheckBox(k);
        if (keys) {
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClick(window(), Qt::Key_Space);
        } else {
            QTest::mouseClick(window(), Qt::LeftButton, {}, at(box, QPoint(7, box->height() / 2)));
        }
        QVERIFY2(box->isChecked(), qPrintable(box->text()));
    }
    if (keys) {
        form_->Button1->setFocus(Qt::TabFocusReason);
        QTest::keyClick(window(), Qt::Key_Return);
    } else {
        click(form_->Button1);
    }
}

// The small card each slot shows, found by its picture ("?" for none of the default set).
QStringList TestRevisions::pictureFiles() const {
    QStringList files;
    for (int i = 1; i <= 7; ++i) {
        files << QStringLiteral("?");
        for (int n = 2; n <= catalogue::lastCardNumber && files.last() == "?"; ++n)
            if (form_->Image(i)->picture() == TestAssets::picture(catalogue::smallCard(n)))
                files.last() = catalogue::smallCard(n);
    }
    return files;
}

void TestRevisions::verifyFamilyChoiceFace() {
    QStringList familyPictures;
    for (int k = 1; k <= 7; ++k)
        familyPictures << catalogue::smallCard(8 * k - 6);
    QCOMPARE(pictureFiles(), familyPictures);
    for (int k = 1; k <= 7; ++k)
        QVERIFY(!form_->CheckBox(k)->isChecked());
    QVERIFY(form_->Button1->isVisible());
    QVERIFY(form_->GroupBox1->isVisible());
    QVERIFY(!form_->PNcompteur->isVisible());
    QVERIFY(!form_->btnRejouer->isVisible());
    QCOMPARE(nbJustes, 0);
    QCOMPARE(nbFausses, 0);
    QCOMPARE(form_->cptJ->text(), "0");
    QCOMPARE(form_->cptF->text(), "0");
    QCOMPARE(form_->LBJ->text(), "responsa justa");
    QCOMPARE(form_->LBF->text(), "responsa faussa");
    QCOMPARE(board(), QList<int>(7, -1));
}

void TestRevisions::verifyRoundLaidOut(const Families& families) {
    const QList<int> pool = familyCardsOf(families);
    QCOMPARE(nbPioche, pool.size());
    QCOMPARE(QList<int>(pioche.begin(), pioche.begin() + nbPioche), pool);
    const QList<int> shown = board();
    QCOMPARE(std::set<int>(shown.begin(), shown.end()).size(), size_t(7));
    QStringList expectedFiles;
    for (int card : shown) {
        QVERIFY2(pool.contains(card), qPrintable(QString::number(card)));
        expectedFiles << catalogue::smallCard(card);
    }
    QCOMPARE(pictureFiles(), expectedFiles);
    QCOMPARE(cartesAffichees[positionCible], carteCible);
    QCOMPARE(form_->MediaPlayerMP3.openFile(), catalogue::cardSound(carteCible));
    QVERIFY(!form_->Button1->isVisible() && !form_->GroupBox1->isVisible());
    QVERIFY(form_->PNcompteur->isVisible() && form_->btnRejouer->isVisible());
}

void TestRevisions::controlsSitWhereTheChildSeesThem_data() {
    QTest::addColumn<QRect>("rect"); // in the parent; no size: sized to its text
    QTest::addColumn<int>("font");   // character height in pixels; 0: not checked
    const int pictureLefts[] = {8, 120, 232, 344, 456, 568, 680};
    const int boxLefts[] = {8, 119, 230, 341, 452, 563, 675};
    for (int i = 1; i <= 7; ++i) {
        QTest::addRow("Image%d", i) << QRect(pictureLefts[i - 1], 16, 100, 138) << 0;
        QTest::addRow("CheckBox%d", i) << QRect(boxLefts[i - 1], 16, 90, 17) << 11;
    }
    QTest::newRow("PNcartes") << QRect(0, 0, 793, 321) << 0;
    QTest::newRow("GroupBox1") << QRect(8, 184, 777, 41) << 0;
    QTest::newRow("Button1") << QRect(304, 256, 169, 41) << 16;
    QTest::newRow("PNcompteur") << QRect(496, 240, 289, 73) << 0;
    QTest::newRow("LBJ") << QRect(16, 8, 0, 0) << 13;
    QTest::newRow("LBF") << QRect(159, 8, 0, 0) << 13;
    QTest::newRow("cptJ") << QRect(48, 32, 0, 0) << 0;
    QTest::newRow("cptF") << QRect(216, 32, 0, 0) << 0;
    QTest::newRow("btnRejouer") << QRect(9, 244, 193, 57) << 16;
}

void TestRevisions::controlsSitWhereTheChildSeesThem() {
    QFETCH(QRect, rect);
    QFETCH(int, font);
    const auto* control = form_->findChild<QWidget*>(QTest::currentDataTag());
    QVERIFY(control);
    QCOMPARE(rect.isEmpty() ? QRect(control->pos(), QSize(0, 0)) : control->geometry(), rect);
    if (font)
        QCOMPARE(control->font().pixelSize(), font);
}

void TestRevisions::everyShowingStartsInTheFamilyChoice_data() {
    QTest::addColumn<QString>("before");
    QTest::newRow("first showing") << "";
    QTest::newRow("boxes ticked, never started") << "ticked";
    QTest::newRow("round left in the middle") << "round";
}

void TestRevisions::everyShowingStartsInTheFamilyChoice() {
    QFETCH(QString, before);
    DialogWatcher dialogs;
    if (!before.isEmpty()) {
        showScreen();
        if (before == "ticked") {
            form_->CheckBox(2)->setChecked(true);
            form_->CheckBox(5)->setChecked(true);
        } else {
            start({1, 3});
            clickSlot(aWrongSlot());
            clickSlot(positionCible);
            QCOMPARE(form_->cptJ->text(), "1");
        }
        closeScreen();
    }
    showScreen();
    QCOMPARE(form_->windowTitle(), "Repassadas");
    QCOMPARE(form_->size(), QSize(793, 321));
    QCOMPARE(form_->pos(), QPoint((1024 - 793) / 2, (768 - 321) / 2));
    verifyFamilyChoiceFace();
    QVERIFY(!form_->MediaPlayerMP3.isOpen());
    QCOMPARE(dialogs.texts(), (before == "round" ? QStringList{"Faus", "Exacte"} : QStringList{}));
}

// The pictures only show the families before a round: the keyboard starts at the boxes.
void TestRevisions::tabGoesThroughTheBoxesThenOk() {
    showScreen();
    activate();
    QStringList order{form_->focusWidget()->objectName()};
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(window(), Qt::Key_Tab);
        order << form_->focusWidget()->objectName();
    }
    // The panels and labels take no focus; the hidden replay button neither.
    QCOMPARE(order, QStringList({"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                                 "CheckBox6", "CheckBox7", "Button1", "CheckBox1", "CheckBox2"}));
    QCOMPARE(form_->Image(2)->accessibleName(), QString::fromUtf8("l'uèlh"));
}

// The boxes name the families as the class named them, as the explorer's miniatures do.
void TestRevisions::boxesCarryTheClasssFamilyNames() {
    QFile data(QStringLiteral(MIRABOSC_DATA_DIR "/familles.txt")), own("textes/familles.txt");
    QVERIFY(QDir().mkdir(QStringLiteral("textes")) && data.open(QIODevice::ReadOnly));
    QVERIFY(QFile::copy(QStringLiteral(MIRABOSC_DATA_DIR "/album.txt"), "textes/album.txt"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write(data.readAll().replace("family 1 | la familha |", "family 1 | los parents |"));
    own.close();
    showScreen();
    QCOMPARE(form_->CheckBox(1)->text(), "los parents");
    QCOMPARE(form_->CheckBox(2)->text(), "la cara");
}

void TestRevisions::keysStartARoundAndOnlyNewPressesPick_data() {
    QTest::addColumn<QString>("keys"); // "settle": the new board's hold passes; "repeat": held
    QTest::addColumn<int>("picks");
    QTest::addColumn<int>("heard"); // a family's name heard on the way, 0: none
    QTest::newRow("Enter ticks and starts, a bounce") << "Return Return Return" << 0 << 0;
    QTest::newRow("Space ticks, a held Enter") << "Space Return settle repeat repeat" << 0 << 0;
    QTest::newRow("a box heard, a settled Enter") << "Right Return Return settle Return" << 1 << 9;
    QTest::newRow("a bounce as the board shows again")
        << "Tab Space Return settle Right Return Return" << 1 << 9;
}

// From the review's opening a child who cannot read starts a round in four keys at most, and
// only a new press on a board shown for a moment picks.
void TestRevisions::keysStartARoundAndOnlyNewPressesPick() {
    QFETCH(QString, keys);
    QFETCH(int, picks);
    QFETCH(int, heard);
    DialogWatcher dialogs;
    showScreen();
    activate();
    int pressed = 0, startedAfter = 0;
    QStringList files;
    for (const QString& key : keys.split(QLatin1Char(' '))) {
        if (key == QLatin1String("settle")) {
            QTRY_VERIFY(!form_->Image(1)->keysHeld());
        } else if (key == QLatin1String("repeat")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, {}, QString(), true);
            QApplication::sendEvent(form_->focusWidget(), &press);
        } else {
            QTest::keySequence(window(), QKeySequence(key));
            ++pressed;
        }
        files << form_->MediaPlayerMP3.openFile();
        startedAfter = startedAfter ? startedAfter : (piocheConstruite ? pressed : 0);
    }
    QVERIFY2(startedAfter >= 1 && startedAfter <= 4, qPrintable(QString::number(startedAfter)));
    QCOMPARE(dialogs.count(), picks);
    QCOMPARE(nbJustes + nbFausses, picks);
    QCOMPARE(files.contains(catalogue::cardSound(heard)), heard != 0);
}

// A pick as a child makes it: a click, a tap, or Enter on the card.
void TestRevisions::pick(int slot, const QString& how) {
    static QPointingDevice* const touchscreen = QTest::createTouchDevice();
    const QPoint centre = at(form_->Image(slot), form_->Image(slot)->rect().center());
    if (how == QLatin1String("tap")) {
        QTest::touchEvent(window(), touchscreen).press(0, centre, window());
        QTest::touchEvent(window(), touchscreen).release(0, centre, window());
    } else if (how == QLatin1String("keys")) {
        activate();
        form_->Image(slot)->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!form_->Image(slot)->keysHeld()); // a new board takes no key at once
        QTest::keyClick(window(), Qt::Key_Enter);
    } else {
        clickSlot(slot);
    }
}

void TestRevisions::activate() {
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TestRevisions::okWithNothingTickedSaysSoAndStaysInTheChoice() {
    DialogWatcher dialogs;
    showScreen();
    click(form_->Button1);
    QCOMPARE(dialogs.count(), 1);
    QCOMPARE(dialogs.last().text, "n'avetz pas seleccionat arren.");
    QCOMPARE(dialogs.last().title, "Erreur");
    QCOMPARE(dialogs.last().icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last().buttons, QStringList{"OK"});
    QCOMPARE(nbPioche, 0);
    verifyFamilyChoiceFace();
    QVERIFY(!form_->MediaPlayerMP3.isOpen());

    start({4});
    QCOMPARE(dialogs.count(), 1);
    verifyRoundLaidOut({4});
}

void TestRevisions::okStartsARoundOfTheChosenFamilies_data() {
    QTest::addColumn<Families>("families");
    QTest::newRow("one family") << Families{4};
    QTest::newRow("first and last") << Families{1, 7};
    QTest::newRow("all seven") << Families{1, 2, 3, 4, 5, 6, 7};
}

void TestRevisions::okStartsARoundOfTheChosenFamilies() {
    QFETCH(Families, families);
    DialogWatcher dialogs;
    showScreen();
    start(families);
    QCOMPARE(dialogs.count(), 0);
    verifyRoundLaidOut(families);
    QCOMPARE(form_->LBJ->text(), "responsa justa");
    QCOMPARE(form_->cptJ->text(), "0");
    QCOMPARE(form_->LBF->text(), "responsa faussa");
    QCOMPARE(form_->cptF->text(), "0");
    QTRY_VERIFY(PlayerProbe::framesDelivered(form_->MediaPlayerMP3) > 0);
}

// A hidden "OK" that kept the keyboard focus: Space on it must leave the round alone (a second
// draw on the laid board would fail and report it).
void TestRevisions::hiddenOkCannotStartASecondDraw() {
    DialogWatcher dialogs;
    showScreen();
    start({1});
    const QList<int> before = board();
    QTest::keyClick(form_->Button1, Qt::Key_Space);
    QCOMPARE(dialogs.count(), 0);
    QCOMPARE(board(), before);
}

void TestRevisions::rightPickCountsOnlyAfterExacteThenDrawsAgain() {
    QFETCH(QString, how);
    DialogWatcher dialogs;
    showScreen();
    start({2});
    for (int pick = 1; pick <= 2; ++pick) {
        const QList<int> before = board();
        QString countDuringBox;
        int justesDuringBox = -1;
        QList<int> boardDuringBox;
        int width = 0;
        dialogs.onShown = [&](const ShownDialog&) {
            width = shownBoxWidth();
            countDuringBox = form_->cptJ->text();
            justesDuringBox = nbJustes;
            boardDuringBox = board();
        };
        this->pick(positionCible, how);
        QCOMPARE(dialogs.count(), pick);
        QCOMPARE(dialogs.last().text, "Exacte");
        QCOMPARE(dialogs.last().title, "Information");
        QCOMPARE(dialogs.last().icon, QMessageBox::Information);
        QCOMPARE(dialogs.last().buttons, QStringList{"OK"});
        QVERIFY2(width >= titleRoom, qPrintable(QString::number(width)));
        QCOMPARE(justesDuringBox, pick - 1);
        QCOMPARE(countDuringBox, QString::number(pick - 1));
        QCOMPARE(boardDuringBox, before);
        QCOMPARE(nbJustes, pick);
        QCOMPARE(form_->cptJ->text(), QString::number(pick));
        verifyRoundLaidOut({2});
    }
    QCOMPARE(form_->LBJ->text(), "responsas justas");
    QCOMPARE(nbFausses, 0);
}

void TestRevisions::wrongPickKeepsBoardAndPlayerAndCountsAgain() {
    QFETCH(QString, how);
    DialogWatcher dialogs;
    showScreen();
    start({5});
    QTRY_VERIFY(PlayerProbe::firstDeliveryTime(form_->MediaPlayerMP3).has_value());
    const auto started = PlayerProbe::firstDeliveryTime(form_->MediaPlayerMP3);
    const QList<int> before = board();
    const QStringList files = pictureFiles();
    const int target = carteCible;
    const int slot = aWrongSlot();
    int width = 0;
    dialogs.onShown = [&](const ShownDialog&) { width = shownBoxWidth(); };
    for (int pick = 1; pick <= 2; ++pick) {
        this->pick(slot, how);
        QCOMPARE(dialogs.count(), pick);
        QCOMPARE(dialogs.last().text, "Faus");
        QCOMPARE(dialogs.last().title, "Erreur");
        QCOMPARE(dialogs.last().icon, QMessageBox::Critical);
        QCOMPARE(dialogs.last().buttons, QStringList{"OK"});
        QVERIFY2(width >= titleRoom, qPrintable(QString::number(width)));
        QCOMPARE(nbFausses, pick);
        QCOMPARE(form_->cptF->text(), QString::number(pick));
    }
    QCOMPARE(form_->LBF->text(), "responsas faussas");
    QCOMPARE(form_->cptJ->text(), "0");
    QCOMPARE(board(), before);
    QCOMPARE(pictureFiles(), files);
    QCOMPARE(carteCible, target);
    // The word was neither reopened nor restarted.
    QCOMPARE(form_->MediaPlayerMP3.openFile(), catalogue::cardSound(target));
    QVERIFY(PlayerProbe::firstDeliveryTime(form_->MediaPlayerMP3) == started);
}

void TestRevisions::replayRestartsTheWord_data() {
    QTest::addColumn<bool>("key");
    QTest::newRow("replay button") << false;
    QTest::newRow("R, in a round started by Space on a box and Enter on OK") << true;
}

void TestRevisions::replayRestartsTheWord() {
    QFETCH(bool, key);
    DialogWatcher dialogs;
    showScreen();
    start({6}, key);
    QTRY_VERIFY(PlayerProbe::firstDeliveryTime(form_->MediaPlayerMP3).has_value());
    const auto firstStart = *PlayerProbe::firstDeliveryTime(form_->MediaPlayerMP3);
    const QList<int> before = board();
    if (key)
        QTest::keyClick(window(), Qt::Key_R);
    else
        click(form_->btnRejouer);
    QCOMPARE(form_->MediaPlayerMP3.openFile(), catalogue::cardSound(carteCible));
    QTRY_VERIFY(PlayerProbe::firstDeliveryTime(form_->MediaPlayerMP3).has_value() &&
                *PlayerProbe::firstDeliveryTime(form_->MediaPlayerMP3) != firstStart);
    QCOMPARE(board(), before);
    QCOMPARE(dialogs.count(), 0);
    QCOMPARE(nbJustes + nbFausses, 0);
}

void TestRevisions::counterTexts_data() {
    QTest::addColumn<int>("justes");
    QTest::addColumn<int>("fausses");
    QTest::addColumn<QString>("justLabel");
    QTest::addColumn<QString>("wrongLabel");
    QTest::newRow("0 and 0") << 0 << 0 << "responsa justa"
                             << "responsa faussa";
    QTest::newRow("1 and 1") << 1 << 1 << "responsa justa"
                             << "responsa faussa";
    QTest::newRow("2 and 2") << 2 << 2 << "responsas justas"
                             << "responsas faussas";
    QTest::newRow("2 and 1") << 2 << 1 << "responsas justas"
                             << "responsa faussa";
    QTest::newRow("0 and 12") << 0 << 12 << "responsa justa"
                              << "responsas faussas";
}

void TestRevisions::counterTexts() {
    QFETCH(int, justes);
    QFETCH(int, fausses);
    QFETCH(QString, justLabel);
    QFETCH(QString, wrongLabel);
    nbJustes = justes;
    nbFausses = fausses;
    MajCompteurs();
    QCOMPARE(form_->LBJ->text(), justLabel);
    QCOMPARE(form_->LBF->text(), wrongLabel);
    QCOMPARE(form_->cptJ->text(), QString::number(justes));
    QCOMPARE(form_->cptF->text(), QString::number(fausses));
    // Each label is sized to its text.
    for (QLabel* label : {form_->LBJ, form_->LBF, form_->cptJ, form_->cptF})
        QCOMPARE(label->size(), label->sizeHint());
}

void TestRevisions::clicksDuringTheFamilyChoiceAreNotJudged_data() {
    QTest::addColumn<bool>("afterARound");
    QTest::newRow("first showing") << false;
    QTest::newRow("after a round, on every slot") << true;
}

void TestRevisions::clicksDuringTheFamilyChoiceAreNotJudged() {
    QFETCH(bool, afterARound);
    DialogWatcher dialogs;
    showScreen();
    if (afterARound) {
        start({3});
        closeScreen();
        showScreen();
        QVERIFY(positionCible >= 1 && positionCible <= 7); // still names the last round's slot
    }
    for (int slot = 1; slot <= 7; ++slot)
        clickSlot(slot);
    QCOMPARE(dialogs.count(), 0);
    verifyFamilyChoiceFace();
    QVERIFY(!form_->MediaPlayerMP3.isOpen());
    QCOMPARE(QList<int>(pioche.begin(), pioche.end()), QList<int>(56, -1));

    // The review then starts as usual.
    start({6});
    verifyRoundLaidOut({6});
    QCOMPARE(dialogs.count(), 0);
}

void TestRevisions::closingSilencesTheWord() {
    showScreen();
    start({1});
    QVERIFY(form_->MediaPlayerMP3.isPlaying());
    closeScreen();
    QVERIFY(!form_->MediaPlayerMP3.isOpen());
    QVERIFY(!form_->MediaPlayerMP3.isPlaying());
}

void TestRevisions::brokenFamilyPictureStopsTheShowAtThatPicture_data() {
    QTest::addColumn<QByteArray>("bytes"); // empty: the file is missing
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a bitmap") << QByteArray("GIF89a not a bitmap at all");
}

void TestRevisions::brokenFamilyPictureStopsTheShowAtThatPicture() {
    QFETCH(QByteArray, bytes);
    DialogWatcher dialogs;
    showScreen();
    start({2});
    clickSlot(aWrongSlot());
    closeScreen();
    const QStringList roundFiles = pictureFiles();
    const QList<int> roundBoard = board();

    const QString broken = catalogue::smallCard(18); // slot 3's family picture
    if (bytes.isEmpty())
        assets_->remove(broken);
    else
        assets_->replace(broken, bytes);
    dialogs.clear();
    showScreen();
    QCOMPARE(dialogs.count(), 1);
    QCOMPARE(dialogs.last().icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last().text, pictureError(broken));
    QVERIFY(form_->isVisible());
    QCOMPARE(pictureFiles(),
             QStringList({catalogue::smallCard(2), catalogue::smallCard(10)}) + roundFiles.mid(2));
    // The rest of the show was skipped: the round's face, board and counts are still there.
    QVERIFY(form_->PNcompteur->isVisible() && form_->btnRejouer->isVisible());
    QVERIFY(!form_->Button1->isVisible());
    QCOMPARE(board(), roundBoard);
    QCOMPARE(nbFausses, 1);
    // No pool was built in this showing, so the pictures judge nothing and draw nothing.
    for (int slot = 1; slot <= 7; ++slot)
        clickSlot(slot);
    QCOMPARE(dialogs.count(), 1);
    QCOMPARE(board(), roundBoard);
    QVERIFY(!form_->MediaPlayerMP3.isOpen());
}

void TestRevisions::missingCardPictureStopsTheDrawAtThatSlot() {
    const int missing = 13;
    const QString missingFile = catalogue::smallCard(missing);
    assets_->remove(missingFile);
    DialogWatcher dialogs;
    showScreen();
    const QStringList familyFiles = pictureFiles();
    start({2}); // one family: card 13 is on every board
    QCOMPARE(dialogs.texts(), QStringList{pictureError(missingFile)});
    QCOMPARE(dialogs.last().icon, QMessageBox::Critical);

    const QList<int> shown = board();
    const int stop = shown.indexOf(missing) + 1;
    QVERIFY(stop >= 1);
    for (int i = 1; i <= 7; ++i) {
        if (i < stop) {
            QVERIFY(shown[i - 1] >= 10 && shown[i - 1] <= 16);
            QCOMPARE(pictureFiles()[i - 1], catalogue::smallCard(shown[i - 1]));
        } else {
            QCOMPARE(pictureFiles()[i - 1], familyFiles[i - 1]);
            if (i > stop)
                QCOMPARE(shown[i - 1], i == positionCible ? carteCible : -1);
        }
    }
    QCOMPARE(cartesAffichees[positionCible], carteCible);
    QVERIFY(!form_->MediaPlayerMP3.isOpen()); // no word
    QVERIFY(form_->PNcompteur->isVisible() && form_->btnRejouer->isVisible());

    // The round stands: a right pick counts, draws again, fails again before the counters.
    clickSlot(positionCible);
    QCOMPARE(dialogs.texts(),
             (QStringList{pictureError(missingFile), "Exacte", pictureError(missingFile)}));
    QCOMPARE(nbJustes, 1);
    QCOMPARE(form_->cptJ->text(), "0");
    clickSlot(aWrongSlot());
    QCOMPARE(dialogs.last().text, "Faus");
    QCOMPARE(form_->cptJ->text(), "1");
    QCOMPARE(form_->cptF->text(), "1");
}

void TestRevisions::unplayableWordLeavesTheRoundStanding() {
    for (int card : catalogue::familyCards(7))
        assets_->replace(catalogue::cardSound(card), QByteArray(4000, 'x'));
    DialogWatcher dialogs;
    showScreen();
    start({7});
    QCOMPARE(dialogs.count(), 1);
    QCOMPARE(dialogs.last().icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last().text, wordError(catalogue::cardSound(carteCible)));
    QVERIFY(!dialogs.last().text.isEmpty());
    QVERIFY(!form_->MediaPlayerMP3.isOpen());
    QStringList expectedFiles;
    for (int card : board())
        expectedFiles << catalogue::smallCard(card);
    QCOMPARE(pictureFiles(), expectedFiles); // the board was laid out in full

    clickSlot(aWrongSlot());
    QCOMPARE(dialogs.last().text, "Faus");
    QCOMPARE(form_->cptF->text(), "1");
    clickSlot(positionCible);
    QCOMPARE(dialogs.count(), 4);
    QCOMPARE(dialogs.shown()[2].text, "Exacte");
    QCOMPARE(dialogs.last().text, wordError(catalogue::cardSound(carteCible)));
    QCOMPARE(nbJustes, 1);
    QCOMPARE(form_->cptJ->text(), "0"); // the counters were not refreshed after the failure
    click(form_->btnRejouer);
    QCOMPARE(dialogs.count(), 5);
    QVERIFY(!form_->MediaPlayerMP3.isOpen());
}

QTEST_MAIN(TestRevisions)
#include "tst_revisions.moc"
