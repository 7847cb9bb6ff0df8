// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The family explorer with missing or broken files: the error box each time, and the screen
// going on from where the failing step left it.
#include "assets/Catalogue.h"
#include "audio/MediaPlayerMP3.h"
#include "screens/Ufamilles.h"
#include "support/DialogWatcher.h"
#include "support/TestAssets.h"
#include "toolkit/Geometry.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

#include <QtTest>

using namespace Ufamilles;

namespace {

const QPoint outside(-20, -20);
const QPoint strip(437, 300); // bare panel between the large card and the small ones
const QByteArray notAnMp3("these bytes are no sound at all, only words");

QString noSuchFile(const QString& relativePath) {
    return QStringLiteral("Impossible d'ouvrir le fichier \"%1\". No such file or directory.")
        .arg(catalogue::resolve(relativePath));
}

const QString soundNotFound =
    QStringLiteral("Le fichier spécifié est introuvable. Vérifiez que "
                   "le chemin d'accès et le nom du fichier sont corrects.");
const QString soundUnreadable =
    QStringLiteral("Le fichier n'est pas un fichier audio MP3 lisible.");

// A picture no asset looks like, to tell a kept picture from a reloaded one.
QImage marker() {
    QImage image(3, 5, QImage::Format_RGB32);
    image.fill(qRgb(1, 2, 3));
    return image;
}

} // namespace

class TestFamillesFailures : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showingStopsAtTheFailingMiniature_data();
    void showingStopsAtTheFailingMiniature();
    void miniatureSoundFailureLeavesTheScreenArmed_data();
    void miniatureSoundFailureLeavesTheScreenArmed();
    void clickStopsAtTheFailingPicture_data();
    void clickStopsAtTheFailingPicture();
    void cardHoverFailureLeavesTheScreenArmed_data();
    void cardHoverFailureLeavesTheScreenArmed();

private:
    QWindow* window() const { return form_->windowHandle(); }
    QPoint centreOf(QWidget* w) const { return w->mapTo(form_.get(), w->rect().center()); }
    void moveTo(QPoint p) { QTest::mouseMove(window(), p); }
    void showForm();
    void openFamily(int family);
    ImageControl* image(const QString& name) const { return form_->findChild<ImageControl*>(name); }

    std::unique_ptr<TFfamilles> form_;
    std::unique_ptr<TestAssets> assets_;
};

void TestFamillesFailures::initTestCase() {
    form_ = std::make_unique<TFfamilles>();
}

void TestFamillesFailures::init() {
    assets_ = std::make_unique<TestAssets>();
}

void TestFamillesFailures::cleanup() {
    form_->close();
    assets_.reset();
}

void TestFamillesFailures::showForm() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    moveTo(outside); // park the pointer, so the next move is never dropped
}

void TestFamillesFailures::openFamily(int family) {
    QTest::mouseClick(window(), Qt::LeftButton, {},
                      centreOf(image(QStringLiteral("fam%1").arg(family))));
    moveTo(strip); // silence the family's name and arm
}

void TestFamillesFailures::showingStopsAtTheFailingMiniature_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<QByteArray>("bytes"); // empty: the file is removed
    QTest::addColumn<QString>("message");  // empty: the missing file's message
    QTest::newRow("first miniature missing") << 1 << QByteArray() << QString();
    QTest::newRow("third miniature missing") << 3 << QByteArray() << QString();
    QTest::newRow("last miniature not a bitmap")
        << 7 << QByteArray("GIF89a and then some more bytes") << "Image bitmap incorrecte.";
    QTest::newRow("fifth miniature cut inside its header")
        << 5 << QByteArray("BM\x10\x00") << "Erreur de lecture du flux.";
}

void TestFamillesFailures::showingStopsAtTheFailingMiniature() {
    QFETCH(int, family);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    const QString file = catalogue::miniature(catalogue::cardNumber(family, 1));
    if (bytes.isEmpty())
        assets_->remove(file);
    else
        assets_->replace(file, bytes);
    if (message.isEmpty())
        message = noSuchFile(file);
    for (int k = 1; k <= 7; ++k)
        image(QStringLiteral("fam%1").arg(k))->setPicture(marker());
    sonPret = false;
    form_->move(5, 5);

    DialogWatcher dialogs;
    bool visibleDuringBox = true;
    dialogs.onShown = [&](const ShownDialog&) { visibleDuringBox = form_->isVisible(); };
    showForm();
    QCOMPARE(dialogs.texts(), QStringList{message});
    QCOMPARE(dialogs.last().icon, QMessageBox::Critical);
    QCOMPARE(dialogs.last().title, QApplication::applicationName());
    QVERIFY(!visibleDuringBox); // reported before the window shows
    QVERIFY(form_->isVisible());
    // Centred by its outer frame, under a window manager too.
    QTRY_COMPARE(form_->frameGeometry().topLeft(),
                 geometry::centredPosition({1024, 768}, form_->frameGeometry().size()));
    for (int k = 1; k <= 7; ++k) {
        ImageControl* mini = image(QStringLiteral("fam%1").arg(k));
        if (k < family)
            QCOMPARE(mini->picture(),
                     TestAssets::picture(catalogue::miniature(catalogue::cardNumber(k, 1))));
        else
            QCOMPARE(mini->picture(), marker());
    }
    QVERIFY(!sonPret);
    QTest::mouseMove(window(), centreOf(form_->fam(1))); // not armed: no name
    QVERIFY(!form_->MediaPlayerMP3->isOpen());
}

void TestFamillesFailures::miniatureSoundFailureLeavesTheScreenArmed_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << QByteArray() << soundNotFound;
    QTest::newRow("not an mp3") << notAnMp3 << soundUnreadable;
}

void TestFamillesFailures::miniatureSoundFailureLeavesTheScreenArmed() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    if (bytes.isEmpty())
        assets_->remove(catalogue::cardSound(9));
    else
        assets_->replace(catalogue::cardSound(9), bytes);
    showForm();
    DialogWatcher dialogs;
    moveTo(centreOf(form_->fam(2)));
    QCOMPARE(dialogs.texts(), QStringList{message});
    QVERIFY(!form_->MediaPlayerMP3->isOpen());
    QVERIFY(sonPret);
    moveTo(centreOf(form_->fam(2)) + QPoint(3, 3)); // tries again, fails again
    QCOMPARE(dialogs.count(), 2);
    moveTo(centreOf(form_->fam(1))); // still armed: the next family speaks
    QCOMPARE(dialogs.count(), 2);
    QCOMPARE(form_->MediaPlayerMP3->openFile(), catalogue::cardSound(1));
    QVERIFY(!sonPret);
}

void TestFamillesFailures::clickStopsAtTheFailingPicture_data() {
    QTest::addColumn<QString>("broken");
    QTest::addColumn<int>("firstKept"); // 0: the blank card already failed, 1 to 7: Image slot
    QTest::newRow("blank card") << catalogue::blankCard() << 0;
    QTest::newRow("first small card") << catalogue::smallCard(34) << 1;
    QTest::newRow("fourth small card") << catalogue::smallCard(37) << 4;
    QTest::newRow("last small card") << catalogue::smallCard(40) << 7;
}

// Family 1 is shown first with card 2 large; then family 5 is opened with one picture missing.
void TestFamillesFailures::clickStopsAtTheFailingPicture() {
    QFETCH(QString, broken);
    QFETCH(int, firstKept);
    showForm();
    openFamily(1);
    moveTo(centreOf(form_->Image(1)));
    QCOMPARE(form_->carte->picture(), TestAssets::picture(catalogue::largeCard(2)));
    QTest::mouseClick(window(), Qt::LeftButton, {}, centreOf(form_->btnAutreChoix));
    QVERIFY(form_->PNchoix->isVisible());

    assets_->remove(broken);
    DialogWatcher dialogs;
    QTest::mouseClick(window(), Qt::LeftButton, {}, centreOf(form_->fam(5)));
    QCOMPARE(dialogs.texts(), QStringList{noSuchFile(broken)});
    QVERIFY(form_->PNcartes->isVisible());
    QVERIFY(!form_->PNchoix->isVisible());
    QCOMPARE(form_->size(), QSize(689, 577));
    QCOMPARE(familleChoisie, 5);
    QCOMPARE(form_->carte->picture(), TestAssets::picture(firstKept == 0 ? catalogue::largeCard(2)
                                                                         : catalogue::blankCard()));
    for (int i = 1; i <= 7; ++i) {
        const int shownFamily = firstKept != 0 && i < firstKept ? 5 : 1;
        QCOMPARE(image(QStringLiteral("Image%1").arg(i))->picture(),
                 TestAssets::picture(catalogue::smallCard(catalogue::cardNumber(shownFamily, i))));
    }
}

void TestFamillesFailures::cardHoverFailureLeavesTheScreenArmed_data() {
    QTest::addColumn<QString>("broken");
    QTest::addColumn<bool>("largeChanges");
    QTest::addColumn<QString>("message"); // empty: the missing file's message
    QTest::newRow("large picture missing") << catalogue::largeCard(12) << false << QString();
    QTest::newRow("sound missing") << catalogue::cardSound(12) << true << soundNotFound;
}

void TestFamillesFailures::cardHoverFailureLeavesTheScreenArmed() {
    QFETCH(QString, broken);
    QFETCH(bool, largeChanges);
    QFETCH(QString, message);
    assets_->remove(broken);
    if (message.isEmpty())
        message = noSuchFile(broken);
    showForm();
    openFamily(2);
    DialogWatcher dialogs;
    moveTo(centreOf(form_->Image(3)));
    QCOMPARE(dialogs.texts(), QStringList{message});
    QCOMPARE(form_->carte->picture(),
             TestAssets::picture(largeChanges ? catalogue::largeCard(12) : catalogue::blankCard()));
    QVERIFY(!form_->MediaPlayerMP3->isOpen());
    QVERIFY(!form_->MediaPlayerMP3->isPlaying());
    QVERIFY(sonPret);
    moveTo(centreOf(form_->Image(3)) + QPoint(4, 4)); // the same attempt, the same report
    QCOMPARE(dialogs.texts(), (QStringList{message, message}));
    moveTo(centreOf(form_->Image(4))); // still armed: the next card shows and speaks
    QCOMPARE(dialogs.count(), 2);
    QCOMPARE(form_->carte->picture(), TestAssets::picture(catalogue::largeCard(13)));
    QCOMPARE(form_->MediaPlayerMP3->openFile(), catalogue::cardSound(13));
}

QTEST_MAIN(TestFamillesFailures)
#include "tst_familles_failures.moc"
