// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's work on whole pictures and sets: a card's large and small pictures composed
// from a 12-megapixel photo and written as BMPs (goal: under 300 ms), and a full set exported
// to a zip and imported, checked, elsewhere (goal: under 2 s); in one sitting, the time from the
// end of a word's silence being heard to the next row shown (goal: under 50 ms), through SDL's
// disk capture driver reading words and silences at the real-time rate.
#include "GuiMain.h"
#include "Percentiles.h"
#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "cardart/CardComposer.h"
#include "sets/SafeWrite.h"
#include "sets/SetArchive.h"
#include "sets/SetFolder.h"
#include "sets/SetImport.h"
#include "support/Mp3Fixture.h"
#include "takes/VoiceCapture.h"
#include "workshop/SetCheck.h"
#include "workshop/Sitting.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <thread>

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
    std::vector<double> micros;
    for (auto _ : state) {
        // The sets replaced are kept: the history of the last run goes, untimed.
        QDir(target + setimport::previousSuffix).removeRecursively();
        const auto start = std::chrono::steady_clock::now();
        setarchive::write(QStringLiteral(MIRABOSC_ASSET_DIR), installed, archive);
        setimport::install(archive, target, installed, installed, &setcheck::problems,
                           [] { return false; });
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
        micros.push_back(elapsed.count() * 1e6);
    }
    reportPercentiles(state, micros);
    state.counters["archive_MB"] = double(QFileInfo(archive).size()) / 1e6;
}

constexpr int sittingWords = 8;
constexpr double sittingWordSeconds = 0.8;
constexpr double sittingPauseSeconds = 1.0;
constexpr int tickMs = 5;

void sittingNextRowGap(benchmark::State& state) {
    QTemporaryDir work;
    std::vector<float> input;
    for (int word = 0; word < sittingWords; ++word) {
        input.resize(input.size() + size_t(VoiceCapture::rate * sittingPauseSeconds), 0.0f);
        for (const int16_t sample :
             mp3fixture::synthesise(VoiceCapture::rate, 1, sittingWordSeconds))
            input.push_back(float(sample) / mp3fixture::pcmFullScale);
    }
    input.resize(input.size() + size_t(VoiceCapture::rate * sittingPauseSeconds), 0.0f);
    const QString raw = work.filePath(QStringLiteral("words.raw"));
    safewrite::write(raw, QByteArray(reinterpret_cast<const char*>(input.data()),
                                     qsizetype(input.size() * sizeof(float))));
    qputenv("SDL_AUDIODRIVER", "disk");
    qputenv("SDL_DISKAUDIOFILEIN", raw.toLocal8Bit());
    qputenv("SDL_DISKAUDIOFILE", work.filePath(QStringLiteral("out.raw")).toLocal8Bit());
    SetFolder folder(work.filePath(QStringLiteral("set")), QStringLiteral(MIRABOSC_ASSET_DIR));
    folder.fillFromDefaultSet();
    VoiceCapture capture;
    std::vector<double> micros;
    for (auto _ : state) {
        if (!capture.open()) {
            state.SkipWithError("no capture through SDL's disk driver");
            return;
        }
        Sitting sitting(folder, capture, false);
        sitting.start();
        while (sitting.position() < sittingWords) {
            const int before = sitting.position();
            sitting.tick();
            if (sitting.position() != before && sitting.lastGap())
                micros.push_back(double(sitting.lastGap()->count()) / 1e3);
            std::this_thread::sleep_for(std::chrono::milliseconds(tickMs));
        }
        sitting.stop();
        sitting.waitForWrites();
        state.SetIterationTime(percentile(micros, 1.0) / 1e6);
    }
    reportPercentiles(state, micros);
    state.counters["rows"] = double(micros.size());
}

} // namespace

BENCHMARK(sittingNextRowGap)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(cardFromTwelveMegapixelPhoto)
    ->UseManualTime()
    ->Iterations(composeRuns)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(fullSetExportedAndImported)
    ->UseManualTime()
    ->Iterations(setRuns)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
