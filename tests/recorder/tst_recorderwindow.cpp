// The recorder's window driven as a teacher uses it: a take spoken into the real capture path
// (SDL's disk driver reading a known take), then listen, keep and undo.
#include "recorder/RecorderWindow.h"
#include "recorder/VoiceTree.h"
#include "support/Mp3Fixture.h"
#include "support/SpokenTake.h"
#include "support/TestAssets.h"
#include "voices/SafeWrite.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString card = QStringLiteral("sons_familles/6.mp3");
constexpr double margins = 0.15; // lead and tail
constexpr double tolerance = 0.1;
constexpr int takeTimeoutMs = 30000;

} // namespace

class TestRecorderWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void noCaptureDeviceDisablesRecordingButNotImport();
    void recordListenKeepUndo();

private:
    QTemporaryDir dir_;
    spokentake::Word word_;
    qint64 rawFrames_ = 0;
};

void TestRecorderWindow::initTestCase() {
    word_ = spokentake::make(dir_.path());
    QVERIFY(!word_.wav.isEmpty());
    const QString raw = dir_.filePath(QStringLiteral("take.raw"));
    // The capture device's format: 48 kHz mono float.
    QVERIFY(spokentake::sox({word_.wav, QStringLiteral("-t"), QStringLiteral("f32"),
                             QStringLiteral("-c"), QStringLiteral("1"), raw}));
    rawFrames_ = QFileInfo(raw).size() / qint64(sizeof(float));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", raw.toLocal8Bit());
    qputenv("SDL_DISKAUDIOFILE", dir_.filePath(QStringLiteral("heard.raw")).toLocal8Bit());
}

void TestRecorderWindow::noCaptureDeviceDisablesRecordingButNotImport() {
    qputenv("SDL_AUDIODRIVER", "absent");
    QTemporaryDir root;
    auto folder = std::make_unique<VoiceFolder>(root.path(), TestAssets::defaultAssetDir());
    folder->fillFromDefaultSet();
    RecorderWindow window(std::move(folder));
    qputenv("SDL_AUDIODRIVER", "disk");
    QVERIFY(!window.findChild<QPushButton*>(QStringLiteral("btnEnregistrar"))->isEnabled());
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("LBmessatge"))
                ->text()
                .contains(QStringLiteral("Cap de microfòn")));
    window.importInto(card, word_.wav); // as a drop on the row does
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("LBcompte"))->text(),
             QStringLiteral("1 votz enregistradas sus 73"));
}

void TestRecorderWindow::recordListenKeepUndo() {
    QTemporaryDir root;
    auto folder = std::make_unique<VoiceFolder>(root.path(), TestAssets::defaultAssetDir());
    folder->fillFromDefaultSet();
    const QByteArray generated = safewrite::read(folder->pathOf(card));
    RecorderWindow window(std::move(folder));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Las votz de Mirabosc"));
    auto* list = window.findChild<VoiceTree*>(QStringLiteral("lstVotz"));
    auto* count = window.findChild<QLabel*>(QStringLiteral("LBcompte"));
    auto* sign = window.findChild<QLabel*>(QStringLiteral("LBenregistrament"));
    auto* meter = window.findChild<QProgressBar*>(QStringLiteral("nivel"));
    const auto buttonNamed = [&](const char* name) {
        return window.findChild<QPushButton*>(QLatin1String(name));
    };
    QCOMPARE(list->topLevelItemCount(), 8); // seven families and the album
    QCOMPARE(count->text(), QStringLiteral("0 votz enregistradas sus 73"));
    list->setCurrentItem(list->itemOf(card));
    QCOMPARE(window.findChild<QLabel*>(QStringLiteral("LBtext"))->text(),
             QStringLiteral("lo papet"));
    QVERIFY(!window.findChild<QLabel*>(QStringLiteral("imgGrand"))->pixmap().isNull());

    QTest::mouseClick(buttonNamed("btnEnregistrar"), Qt::LeftButton);
    QVERIFY(window.capture().isRecording());
    QVERIFY(sign->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(meter->value() > 20, takeTimeoutMs); // the room at -40 dBFS shows
    QTRY_VERIFY_WITH_TIMEOUT(window.capture().frames() >= rawFrames_, takeTimeoutMs);
    QTest::keyClick(list, Qt::Key_Space);
    QVERIFY(!window.capture().isRecording());
    QVERIFY(!sign->isVisible());
    QVERIFY(window.hasTake());

    QTest::mouseClick(buttonNamed("btnEscotar"), Qt::LeftButton);
    QVERIFY(window.player().isOpen());
    QTRY_VERIFY_WITH_TIMEOUT(window.player().framesDelivered() > 0, takeTimeoutMs);

    QTest::mouseClick(buttonNamed("btnGardar"), Qt::LeftButton);
    QVERIFY(!window.hasTake());
    const mp3fixture::Decoded kept = mp3fixture::decode(root.filePath(card));
    QCOMPARE(kept.channels, 1);
    const double seconds = double(kept.frames()) / kept.rate;
    QVERIFY2(std::abs(seconds - (word_.speechEnd - word_.speechStart + margins)) < tolerance,
             qPrintable(QString::number(seconds)));
    QCOMPARE(count->text(), QStringLiteral("1 votz enregistradas sus 73"));
    QCOMPARE(list->itemOf(card)->text(1), QStringLiteral("votz vòstra"));

    QVERIFY(buttonNamed("btnDesfar")->isEnabled());
    QTest::mouseClick(buttonNamed("btnDesfar"), Qt::LeftButton);
    QCOMPARE(safewrite::read(root.filePath(card)), generated);
    QCOMPARE(count->text(), QStringLiteral("0 votz enregistradas sus 73"));
    QCOMPARE(list->itemOf(card)->text(1), QStringLiteral("votz sintetica"));
}

QTEST_MAIN(TestRecorderWindow)
#include "tst_recorderwindow.moc"
