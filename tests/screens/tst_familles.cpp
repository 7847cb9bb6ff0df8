// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The family explorer as a child uses it: what each view shows, what each picture says and when,
// the window's size and place, closing and reopening.
#include "assets/Catalogue.h"
#include "audio/MediaPlayerMP3.h"
#include "screens/Ufamilles.h"
#include "support/DialogWatcher.h"
#include "support/ModalDriver.h"
#include "support/PlayerProbe.h"
#include "support/TestAssets.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

#include <QtTest>
#include <sys/stat.h>

using namespace Ufamilles;

namespace {

const QSize choiceSize(689, 529);
const QSize cardsSize(689, 577);
const QPoint centredChoice((1024 - 689) / 2, (768 - 529) / 2);
const QPoint outside(-20, -20); // off the window: a move there reaches no control

QString sound(int number) {
    return catalogue::cardSound(number);
}

} // namespace

class TestFamilles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensOnTheFamilyChoiceCentredWithMiniatures();
    void controlsSitWhereTheChildSeesThem_data();
    void controlsSitWhereTheChildSeesThem();
    void miniatureSpeaksTheFamilyName_data();
    void miniatureSpeaksTheFamilyName();
    void clickShowsTheFamilysCards_data();
    void clickShowsTheFamilysCards();
    void cardShowsLargeAndSpeaks_data();
    void cardShowsLargeAndSpeaks();
    void oneSoundPerArrival_data();
    void oneSoundPerArrival();
    void movingAboutInsideAPictureStartsNothingMore_data();
    void movingAboutInsideAPictureStartsNothingMore();
    void panelsNeverSeeMovesOverPictures();
    void nameGoesOnOverTheCardsUntilTheBackground();
    void otherChoiceGoesBackSilently();
    void closingSilencesAndReopeningStartsAfresh();
    void otherChoiceLettersStandOnThePanel();
    void namesComeFromTheSetsOwnTexts_data();
    void namesComeFromTheSetsOwnTexts();
    void theFocusArrivesOnCardsAlreadyNamed();

private:
    QWindow* window() const { return form_->windowHandle(); }
    QPoint point(const QString& token) const;
    void moveTo(const QString& token) { QTest::mouseMove(window(), point(token)); }
    void clickOn(const QString& token) {
        QTest::mouseClick(window(), Qt::LeftButton, {}, point(token));
    }
    void showForm();
    void openFamily(int family);
    void gesture(const QString& token);

    std::unique_ptr<TFfamilles> form_;
    std::unique_ptr<TestAssets> assets_;
};

// A control's name stands for its centre, a trailing "'" for another point inside it; the
// remaining names are spots of bare panel background.
QPoint TestFamilles::point(const QString& token) const {
    static const QHash<QString, QPoint> background = {
        {"choiceGap", {171, 100}},  // between fam1 and fam2
        {"choiceRows", {300, 252}}, // between the two rows
        {"strip", {437, 300}},      // between the large card and the small ones
        {"cardsGap", {563, 142}},   // between the columns and rows of small cards
        {"outside", outside},
    };
    if (background.contains(token))
        return background.value(token);
    const bool other = token.endsWith(QLatin1Char('\''));
    const QString name = other ? token.chopped(1) : token;
    auto* w = form_->findChild<QWidget*>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    const QPoint inside = other ? QPoint(7, 9) : w->rect().center();
    return w->mapTo(form_.get(), inside);
}

void TestFamilles::initTestCase() {
    QCOMPARE(Ffamilles, nullptr);
    form_ = std::make_unique<TFfamilles>();
    QCOMPARE(Ffamilles, form_.get());
    QVERIFY(!sonPret);
    QCOMPARE(familleChoisie, 0);
}

void TestFamilles::init() {
    assets_ = std::make_unique<TestAssets>();
    showForm();
}

void TestFamilles::cleanup() {
    form_->close();
    QVERIFY(!form_->isVisible());
    assets_.reset();
}

void TestFamilles::showForm() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    moveTo("outside"); // park the pointer, so the next move is never dropped
}

void TestFamilles::openFamily(int family) {
    clickOn(QStringLiteral("fam%1").arg(family));
    QVERIFY(form_->PNcartes->isVisible());
}

void TestFamilles::opensOnTheFamilyChoiceCentredWithMiniatures() {
    QCOMPARE(form_->windowTitle(), QStringLiteral("Las set familhas"));
    QCOMPARE(form_->size(), choiceSize);
    QCOMPARE(form_->pos(), centredChoice);
    QVERIFY(form_->PNchoix->isVisible());
    QVERIFY(!form_->PNcartes->isVisible());
    const QString expected[] = {"mini2",  "mini10", "mini18", "mini26",
                                "mini34", "mini42", "mini50"};
    for (int k = 1; k <= 7; ++k) {
        auto* mini = form_->findChild<ImageControl*>(QStringLiteral("fam%1").arg(k));
        QCOMPARE(mini->picture(), TestAssets::picture("img_familles\\" + expected[k - 1] + ".bmp"));
        QCOMPARE(mini->picture().size(), QSize(158, 217));
    }
    QVERIFY(sonPret);
    QVERIFY(!form_->MediaPlayerMP3->isOpen());
}

void TestFamilles::controlsSitWhereTheChildSeesThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<bool>("hand");
    QTest::addColumn<QByteArray>("word"); // family 2 is open for the cards
    QTest::newRow("fam1") << "fam1" << QRect(8, 24, 158, 217) << true << QByteArray("la familha");
    QTest::newRow("fam4") << "fam4" << QRect(512, 24, 158, 217) << true
                          << QByteArray("la montanha");
    QTest::newRow("fam5") << "fam5" << QRect(88, 264, 158, 217) << true << QByteArray("los jòcs");
    QTest::newRow("fam7") << "fam7" << QRect(440, 264, 158, 217) << true
                          << QByteArray("las colors");
    QTest::newRow("carte") << "carte" << QRect(1, 1, 424, 576) << false << QByteArray("la cara");
    QTest::newRow("Image1") << "Image1" << QRect(449, 1, 100, 138) << true << QByteArray("l'uèlh");
    QTest::newRow("Image4") << "Image4" << QRect(577, 145, 100, 138) << true
                            << QByteArray("l'aurelha");
    QTest::newRow("Image7") << "Image7" << QRect(449, 433, 100, 138) << true
                            << QByteArray("la barba");
    QTest::newRow("btnAutreChoix")
        << "btnAutreChoix" << QRect(577, 433, 100, 138) << true << QByteArray("auta causida");
}

// Each control is the one the pointer meets over its whole rectangle, with its pointer shape.
void TestFamilles::controlsSitWhereTheChildSeesThem() {
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(bool, hand);
    QFETCH(QByteArray, word);
    if (name.startsWith(QLatin1String("fam")) == false)
        openFamily(2);
    for (const QPoint& p : {rect.topLeft(), rect.bottomRight(), rect.center()})
        QCOMPARE(form_->childAt(p)->objectName(), name);
    QCOMPARE(form_->childAt(rect.topLeft() - QPoint(1, 1))->inherits("Panel"), true);
    auto* w = form_->findChild<QWidget*>(name);
    QCOMPARE(w->cursor().shape(), hand ? Qt::PointingHandCursor : Qt::ArrowCursor);
    // Every picture the pointer acts on is reached by Tab alone and named by its word.
    QCOMPARE(w->focusPolicy(), hand ? Qt::TabFocus : Qt::NoFocus);
    QCOMPARE(w->accessibleName(), QString::fromUtf8(word));
}

void TestFamilles::miniatureSpeaksTheFamilyName_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("title");
    for (int k = 1; k <= 7; ++k)
        QTest::addRow("fam%d", k) << k << 8 * (k - 1) + 1;
}

// The first movement after opening speaks: the showing armed the screen.
void TestFamilles::miniatureSpeaksTheFamilyName() {
    QFETCH(int, family);
    QFETCH(int, title);
    moveTo(QStringLiteral("fam%1").arg(family));
    QCOMPARE(form_->MediaPlayerMP3->openFile(), sound(title));
    QTRY_VERIFY(PlayerProbe::framesDelivered(*form_->MediaPlayerMP3) > 0);
    QVERIFY(!sonPret);
}

void TestFamilles::clickShowsTheFamilysCards_data() {
    QTest::addColumn<int>("family");
    for (int k = 1; k <= 7; ++k)
        QTest::addRow("family %d", k) << k;
}

void TestFamilles::clickShowsTheFamilysCards() {
    QFETCH(int, family);
    const QPoint before = form_->pos();
    openFamily(family);
    QVERIFY(!form_->PNchoix->isVisible());
    QCOMPARE(form_->size(), cardsSize);
    QCOMPARE(form_->pos(), before); // grows at its bottom edge
    QCOMPARE(familleChoisie, family);
    QCOMPARE(form_->carte->picture(),
             TestAssets::picture(QStringLiteral("img_familles\\vierge.bmp")));
    for (int i = 1; i <= 7; ++i) {
        auto* card = form_->findChild<ImageControl*>(QStringLiteral("Image%1").arg(i));
        QCOMPARE(card->picture(),
                 TestAssets::picture(
                     QStringLiteral("img_familles\\v%1.bmp").arg(8 * (family - 1) + 1 + i)));
    }
}

void TestFamilles::cardShowsLargeAndSpeaks_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("number");
    QTest::newRow("last card of the last family") << 7 << 7 << 56;
    QTest::newRow("first card of the first family") << 1 << 1 << 2;
    QTest::newRow("middle") << 4 << 3 << 28;
    QTest::newRow("second column") << 6 << 2 << 43;
}

void TestFamilles::cardShowsLargeAndSpeaks() {
    QFETCH(int, family);
    QFETCH(int, slot);
    QFETCH(int, number);
    openFamily(family);
    moveTo("strip"); // the click's own movement spoke the family's name
    QVERIFY(sonPret);
    moveTo(QStringLiteral("Image%1").arg(slot));
    QCOMPARE(form_->carte->picture(), TestAssets::picture(catalogue::largeCard(number)));
    QCOMPARE(form_->carte->drawnRect(), QRect(0, 0, 424, 576));
    QCOMPARE(form_->MediaPlayerMP3->openFile(), sound(number));
    QTRY_VERIFY(PlayerProbe::framesDelivered(*form_->MediaPlayerMP3) > 0);
    QVERIFY(!sonPret);
}

void TestFamilles::oneSoundPerArrival_data() {
    QTest::addColumn<int>("family"); // 0: stay on the family choice
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<int>("speaking"); // 0: silent
    QTest::addColumn<int>("large");    // the card shown large, 0: the blank card
    QTest::addColumn<bool>("armed");

    QTest::newRow("onto a miniature") << 0 << QStringList{"fam1"} << 1 << 0 << false;
    QTest::newRow("miniature to miniature with no background between")
        << 0 << QStringList{"fam1", "fam2"} << 1 << 0 << false;
    QTest::newRow("miniature left for the background")
        << 0 << QStringList{"fam3", "choiceGap"} << 0 << 0 << true;
    QTest::newRow("back onto the miniature")
        << 0 << QStringList{"fam3", "choiceRows", "fam3"} << 17 << 0 << false;
    QTest::newRow("on to another miniature through the background")
        << 0 << QStringList{"fam1", "choiceGap", "fam2"} << 9 << 0 << false;

    // Family 2 holds cards 10 to 16; each path starts armed, on the strip beside the cards.
    QTest::newRow("onto a card") << 2 << QStringList{"Image1"} << 10 << 10 << false;
    QTest::newRow("card to card with no background between")
        << 2 << QStringList{"Image1", "Image2"} << 10 << 10 << false;
    QTest::newRow("card left for the background keeps the large picture")
        << 2 << QStringList{"Image3", "cardsGap"} << 0 << 12 << true;
    QTest::newRow("back onto the card")
        << 2 << QStringList{"Image3", "cardsGap", "Image3"} << 12 << 12 << false;
    QTest::newRow("another card through the background")
        << 2 << QStringList{"Image3", "cardsGap", "Image6"} << 15 << 15 << false;
    QTest::newRow("the large card neither silences nor re-arms")
        << 2 << QStringList{"Image7", "carte", "carte'", "Image5"} << 16 << 16 << false;
    QTest::newRow("the large card while armed leaves it armed")
        << 2 << QStringList{"carte", "carte'"} << 0 << 0 << true;
    QTest::newRow("other-choice picture neither silences nor re-arms")
        << 2 << QStringList{"Image7", "btnAutreChoix", "btnAutreChoix'", "Image6"} << 16 << 16
        << false;
    QTest::newRow("card to the large one crosses the strip")
        << 2 << QStringList{"Image1", "strip", "carte"} << 0 << 10 << true;

    // The keyboard and taps cross bare panel on the way from one picture to the next.
    // The frame waits on the first miniature, silent: the program put it there.
    QTest::newRow("Tab onto the second miniature")
        << 0 << QStringList{"key:Tab"} << 9 << 0 << false;
    QTest::newRow("arrows from miniature to miniature")
        << 0 << QStringList{"key:Right", "key:Down"} << 17 << 0 << false;
    QTest::newRow("Backtab round to the last miniature")
        << 0 << QStringList{"key:Backtab"} << 49 << 0 << false;
    QTest::newRow("Enter opens the family, its name going on")
        << 0 << QStringList{"key:Right", "key:Return", "=cards"} << 9 << 0 << false;
    QTest::newRow("a tap speaks the family's name and opens its cards")
        << 0 << QStringList{"tap:fam3", "=cards"} << 17 << 0 << false;
    QTest::newRow("Tab onto the second card") << 2 << QStringList{"key:Tab"} << 11 << 11 << false;
    QTest::newRow("Backtab from a card goes round to the other choice, silencing")
        << 2 << QStringList{"key:Tab", "key:Backtab", "key:Backtab"} << 0 << 10 << true;
    QTest::newRow("taps from card to card")
        << 2 << QStringList{"tap:Image4", "tap:Image5"} << 14 << 14 << false;
    QTest::newRow("Space on the other choice goes back")
        << 2 << QStringList{"key:Tab", "key:Up", "key:Up", "key:Space", "=choice"} << 0 << 10
        << true;
    QTest::newRow("a tap on the other choice goes back")
        << 2 << QStringList{"tap:Image2", "tap:btnAutreChoix", "=choice"} << 0 << 11 << true;
    QTest::newRow("Escape closes the screen, silent")
        << 2 << QStringList{"key:Tab", "key:Escape", "=closed"} << 0 << 11 << false;
}

// A path token: a key ("key:Right"), a tap on a control ("tap:fam2"), the view expected at that
// point ("=cards", "=choice", "=closed"), or else a point the pointer moves to.
void TestFamilles::gesture(const QString& token) {
    static QPointingDevice* const touchscreen = QTest::createTouchDevice();
    const QString what = token.section(QLatin1Char(':'), 1);
    if (token.startsWith(QLatin1String("key:"))) {
        form_->activateWindow(); // focus moves only within the active window
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
        QTest::keySequence(window(), QKeySequence(what));
    } else if (token.startsWith(QLatin1String("tap:"))) {
        QTest::touchEvent(window(), touchscreen).press(0, point(what), window());
        QTest::touchEvent(window(), touchscreen).release(0, point(what), window());
    } else if (token.startsWith(QLatin1Char('='))) {
        QCOMPARE(form_->isVisible(), token != QLatin1String("=closed"));
        QCOMPARE(form_->PNcartes->isVisibleTo(form_.get()), token == QLatin1String("=cards"));
    } else {
        moveTo(token);
    }
}

void TestFamilles::oneSoundPerArrival() {
    QFETCH(int, family);
    QFETCH(QStringList, path);
    QFETCH(int, speaking);
    QFETCH(int, large);
    QFETCH(bool, armed);
    if (family) {
        openFamily(family);
        moveTo("strip");
    }
    for (const QString& token : path)
        gesture(token);
    QCOMPARE(form_->MediaPlayerMP3->openFile(), speaking ? sound(speaking) : QString());
    if (speaking)
        QTRY_VERIFY(PlayerProbe::framesDelivered(*form_->MediaPlayerMP3) > 0);
    else
        QVERIFY(!form_->MediaPlayerMP3->isOpen() && !form_->MediaPlayerMP3->isPlaying());
    if (family)
        QCOMPARE(form_->carte->picture(),
                 TestAssets::picture(large ? catalogue::largeCard(large) : catalogue::blankCard()));
    QCOMPARE(sonPret, armed);
}

void TestFamilles::movingAboutInsideAPictureStartsNothingMore_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("number");
    QTest::newRow("miniature") << 0 << "fam4" << 25;
    QTest::newRow("small card") << 5 << "Image2" << 35;
}

// With the picture's files gone after its first sound, any further start would be reported.
void TestFamilles::movingAboutInsideAPictureStartsNothingMore() {
    QFETCH(int, family);
    QFETCH(QString, picture);
    QFETCH(int, number);
    if (family) {
        openFamily(family);
        moveTo("strip");
    }
    DialogWatcher dialogs;
    moveTo(picture);
    QCOMPARE(form_->MediaPlayerMP3->openFile(), sound(number));
    assets_->remove(sound(number));
    assets_->remove(catalogue::largeCard(number));
    auto* w = form_->findChild<QWidget*>(picture);
    for (int step = 0; step < 20; ++step)
        QTest::mouseMove(window(), w->mapTo(form_.get(), QPoint(5 + 4 * step, 5 + 6 * step)));
    QCOMPARE(dialogs.count(), 0);
    QCOMPARE(form_->MediaPlayerMP3->openFile(), sound(number));
}

void TestFamilles::panelsNeverSeeMovesOverPictures() {
    openFamily(3);
    QSignalSpy cardsPanel(form_->PNcartes, &Panel::mouseMoved);
    for (const char* token : {"carte", "carte'", "btnAutreChoix", "btnAutreChoix'", "Image4"})
        moveTo(token);
    QCOMPARE(cardsPanel.count(), 0);
    moveTo("cardsGap");
    QCOMPARE(cardsPanel.count(), 1);
}

void TestFamilles::nameGoesOnOverTheCardsUntilTheBackground() {
    moveTo("fam6");
    clickOn("fam6"); // the click comes where the name started
    QVERIFY(form_->PNcartes->isVisible());
    QCOMPARE(form_->MediaPlayerMP3->openFile(), sound(41));
    QTRY_VERIFY(PlayerProbe::framesDelivered(*form_->MediaPlayerMP3) > 0);
    moveTo("carte'");
    QVERIFY(form_->MediaPlayerMP3->isOpen());
    QVERIFY(!sonPret);
    moveTo("strip");
    QVERIFY(!form_->MediaPlayerMP3->isOpen());
    QVERIFY(!form_->MediaPlayerMP3->isPlaying());
}

void TestFamilles::otherChoiceGoesBackSilently() {
    const QPoint before = form_->pos();
    openFamily(7);
    moveTo("strip");
    moveTo("Image4");
    QTRY_VERIFY(form_->MediaPlayerMP3->isPlaying());
    clickOn("btnAutreChoix");
    QVERIFY(form_->PNchoix->isVisible());
    QVERIFY(!form_->PNcartes->isVisible());
    QCOMPARE(form_->size(), choiceSize);
    QCOMPARE(form_->pos(), before);
    QVERIFY(!form_->MediaPlayerMP3->isOpen());
    QVERIFY(!form_->MediaPlayerMP3->isPlaying());
    // Nothing else changes: the card stays large out of sight and the screen stays disarmed.
    QVERIFY(!sonPret);
    QCOMPARE(familleChoisie, 7);
    QCOMPARE(form_->carte->picture(), TestAssets::picture(catalogue::largeCard(53)));
    QCOMPARE(form_->Image(7)->picture(), TestAssets::picture(catalogue::smallCard(56)));
}

// Opened from the menu: a word playing at the close box stops, and the next opening is centred
// again on the family choice with the miniatures read afresh.
void TestFamilles::closingSilencesAndReopeningStartsAfresh() {
    form_->close();
    ModalDriver driver;
    bool playingInside = false;
    driver.inside = [&](Form*) {
        openFamily(1);
        moveTo("strip");
        moveTo("Image1");
        QTRY_VERIFY(form_->MediaPlayerMP3->isPlaying());
        playingInside = form_->MediaPlayerMP3->openFile() == sound(2);
        form_->move(40, 30); // dragged elsewhere
    };
    form_->showModal();
    QVERIFY(playingInside);
    QVERIFY(!form_->isVisible());
    QVERIFY(!form_->MediaPlayerMP3->isOpen());
    QVERIFY(!form_->MediaPlayerMP3->isPlaying());
    QVERIFY(!form_->PNchoix->isHidden() && form_->PNcartes->isHidden());

    // fam1's file now holds family 2's miniature: a reopening must show it.
    assets_->replace(catalogue::miniature(2), TestAssets::original(catalogue::miniature(10)));
    const QImage expected = form_->fam(2)->picture();
    QSize sizeInside;
    QPoint posInside;
    bool choiceInside = false, sameMiniature = false;
    driver.inside = [&](Form*) {
        sizeInside = form_->size();
        posInside = form_->pos();
        choiceInside = form_->PNchoix->isVisible() && !form_->PNcartes->isVisible();
        sameMiniature = form_->fam(1)->picture() == expected;
    };
    form_->showModal();
    QCOMPARE(sizeInside, choiceSize);
    QCOMPARE(posInside, centredChoice);
    QVERIFY(choiceInside);
    QVERIFY(sameMiniature);
    showForm(); // for cleanup()
}

void TestFamilles::otherChoiceLettersStandOnThePanel() {
    openFamily(1);
    const QImage shot = form_->grab().toImage();
    const QPoint at = form_->btnAutreChoix->pos();
    QCOMPARE(shot.pixelColor(at + QPoint(2, 2)),
             QColor(Qt::white)); // the peach ground is not drawn
    QCOMPARE(shot.pixelColor(at + QPoint(97, 135)), QColor(Qt::white));
    int blue = 0;
    for (int y = 23; y <= 90; ++y)
        for (int x = 5; x <= 95; ++x)
            blue += shot.pixel(at + QPoint(x, y)) == qRgb(0, 0, 255);
    QVERIFY(blue > 100);
}

void TestFamilles::namesComeFromTheSetsOwnTexts_data() {
    QTest::addColumn<QByteArray>("families"); // textes/familles.txt; "class": the class's word
    QTest::addColumn<QString>("word");        // what the second card of family 1 is called
    QTest::newRow("the class's word") << QByteArray("class") << "la grand-maire de la vesina";
    QTest::newRow("malformed") << QByteArray("family 1 | la \xe8 | #E4574B\n") << "la maire";
    QTest::newRow("a pipe") << QByteArray("fifo") << "la maire";
}

// A class's own words name the cards for screen readers; broken texts fall back, unseen.
void TestFamilles::namesComeFromTheSetsOwnTexts() {
    QFETCH(QByteArray, families);
    QFETCH(QString, word);
    QFile data(QStringLiteral(MIRABOSC_DATA_DIR "/familles.txt")), own("textes/familles.txt");
    QVERIFY(QDir().mkdir(QStringLiteral("textes")) && data.open(QIODevice::ReadOnly));
    QVERIFY(QFile::copy(QStringLiteral(MIRABOSC_DATA_DIR "/album.txt"), "textes/album.txt"));
    if (families == "fifo")
        QCOMPARE(::mkfifo("textes/familles.txt", 0600), 0);
    else if (own.open(QIODevice::WriteOnly))
        own.write(families != "class" ? families
                                      : data.readAll().replace("card 3 | la maire |",
                                                               "card 3 | " + word.toUtf8() + " |"));
    own.close();
    DialogWatcher dialogs;
    form_->close();
    showForm();
    openFamily(1);
    QCOMPARE(form_->Image(2)->accessibleName(), word);
    QCOMPARE(dialogs.count(), 0);
}

// What a screen reader is told as the frame arrives on a family's first card: that family's word,
// never the word of the family seen before.
void TestFamilles::theFocusArrivesOnCardsAlreadyNamed() {
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    QStringList heard;
    const auto listener =
        connect(qApp, &QApplication::focusChanged, this, [&heard](QWidget*, QWidget* now) {
            if (now && now->objectName().startsWith("Image"))
                heard << now->accessibleName();
        });
    openFamily(1);
    clickOn("btnAutreChoix");
    openFamily(2);
    disconnect(listener);
    QCOMPARE(heard, QStringList({"lo paire", QString::fromUtf8("l'uèlh")}));
}

QTEST_MAIN(TestFamilles)
#include "tst_familles.moc"
