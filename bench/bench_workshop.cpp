// The workshop's work on whole pictures and sets: a card's large and small pictures composed
// from a 12-megapixel photo and written as BMPs (goal: under 300 ms), and a full set exported
// to a zip and imported, checked, elsewhere (goal: under 2 s).
#include "Percentiles.h"
#include "assets/Catalogue.h"
#include "recorder/SetCheck.h"
#include "voices/CardComposer.h"
#include "voices/ContentReader.h"
#include "voices/SafeWrite.h"
#include "voices/SetArchive.h"
#include "voices/SetImport.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>

namespace {

constexpr QSize photoSize(4000, 3000);
constexpr int composeRuns = 20;
constexpr int setRuns = 5;
const QString row = QStringLiteral("sons_familles/12.mp3");

template <typename Step> void timed(benchmark::State& state, Step step) {
    std::vector<double> micros;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        step();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    reportPercentiles(state, micros);
}

void cardFromTwelveMegapixelPhoto(benchmark::State& state) {
    QTemporaryDir folder;
    QImage photo(photoSize, QImage::Format_RGB32);
    photo.fill(Qt::white);
    {
        QPainter painter(&photo); // a drawing's strokes, so the JPEG has detail to decode
        for (int i = 0; i < 400; ++i) {
            painter.setPen(QPen(QColor::fromHsv(i * 7 % 360, 200, 200), 12));
            painter.drawLine(i * 10, 0, 4000 - i * 7, 3000);
        }
    }
    const QString file = folder.filePath(QStringLiteral("photo.jpg"));
    photo.save(file, "JPEG", 90);
    const content::Content texts = content::ContentReader::read(QStringLiteral(MIRABOSC_DATA_DIR));
    timed(state, [&] {
        const PictureArt art = PictureArt::read(file, cardcomposer::artSize(row));
        for (const cardcomposer::Made& made :
             cardcomposer::compose(texts, row, art, PictureArt::Placement::Fill))
            safewrite::write(folder.filePath(QFileInfo(made.name).fileName()),
                             cardcomposer::bmpBytes(made.image));
    });
}

// Every file of the set differs from the "installed" one, so the whole set travels.
void fullSetExportedAndImported(benchmark::State& state) {
    QTemporaryDir work;
    const QString installed = work.filePath(QStringLiteral("installed"));
    QProcess::execute(QStringLiteral("cp"),
                      {QStringLiteral("-r"), QStringLiteral(MIRABOSC_ASSET_DIR), installed});
    for (const char* folder : catalogue::assetFolders) {
        QDir dir(installed + QLatin1Char('/') + QLatin1String(folder));
        for (const QString& file : dir.entryList(QDir::Files)) {
            QFile f(dir.filePath(file));
            f.open(QIODevice::Append);
            f.write("x");
        }
    }
    const QString archive = work.filePath(QStringLiteral("classa.mirabosc"));
    const QString target = work.filePath(QStringLiteral("target"));
    timed(state, [&] {
        setarchive::write(QStringLiteral(MIRABOSC_ASSET_DIR), installed, archive);
        setimport::install(archive, target, installed, &setcheck::problems);
    });
    state.counters["archive_MB"] = double(QFileInfo(archive).size()) / 1e6;
}

} // namespace

BENCHMARK(cardFromTwelveMegapixelPhoto)
    ->UseManualTime()
    ->Iterations(composeRuns)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(fullSetExportedAndImported)
    ->UseManualTime()
    ->Iterations(setRuns)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
