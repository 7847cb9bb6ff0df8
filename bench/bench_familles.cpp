// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The family explorer's hot path: an armed pointer arrival on a small card, from the move event
// to the large picture painted and the word started, with its parts measured apart.
#include "Percentiles.h"
#include "assets/Catalogue.h"
#include "audio/MediaPlayerMP3.h"
#include "pictures/PictureLoader.h"
#include "screens/Ufamilles.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int hovers = 2000;
constexpr int family = 7;
constexpr QPoint strip(437, 300); // bare panel between the large card and the small ones
constexpr double microsecondsPerSecond = 1e6;

// The user-interface thread's own time: on a machine shared with builds, the wall time's tail is
// mostly the time other processes had the core.
double threadMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * microsecondsPerSecond + double(now.tv_nsec) / 1000.0;
}

// Runs one timed step per iteration between an untimed preparation and an untimed check.
template <class Prepare, class Step, class Check>
void measure(benchmark::State& state, Prepare prepare, Step step, Check check) {
    std::vector<double> micros;
    std::vector<double> cpuMicros;
    micros.reserve(size_t(hovers));
    cpuMicros.reserve(size_t(hovers));
    int round = 0;
    for (auto _ : state) {
        prepare(round);
        const double cpuStart = threadMicros();
        const auto start = Clock::now();
        step(round);
        const std::chrono::duration<double> spent = Clock::now() - start;
        cpuMicros.push_back(threadMicros() - cpuStart);
        state.SetIterationTime(spent.count());
        micros.push_back(spent.count() * microsecondsPerSecond);
        if (!check(round)) {
            state.SkipWithError("the step did not do its work");
            break;
        }
        ++round;
    }
    reportPercentiles(state, micros);
    reportPercentiles(state, cpuMicros, "cpu_");
}

template <class Prepare, class Step>
void measure(benchmark::State& state, Prepare prepare, Step step) {
    measure(state, prepare, step, [](int) { return true; });
}

int cardOf(int round) {
    return catalogue::cardNumber(family, round % 7 + 1);
}

// A pointer movement as the window system hands it to the window: Qt finds the control under it.
void pointerAt(QWindow* window, QPoint at) {
    QMouseEvent move(QEvent::MouseMove, at, window->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
}

std::unique_ptr<Ufamilles::TFfamilles> form; // made in main, after the application

Ufamilles::TFfamilles& explorer() {
    return *form;
}

void click(QWindow* window, QPoint at) {
    const QPointF global = window->mapToGlobal(QPointF(at));
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), global, Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &press);
    QCoreApplication::sendEvent(window, &release);
}

// Shows the explorer on the cards of the benchmarked family, as a child would reach them.
bool openExplorer() {
    form = std::make_unique<Ufamilles::TFfamilles>();
    form->show();
    QWindow* window = form->windowHandle();
    QElapsedTimer waited;
    waited.start();
    while (!window->isExposed() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    click(window, form->fam(7)->geometry().center());
    return form->PNcartes->isVisible() && Ufamilles::familleChoisie == family;
}

ImageControl* card(int round) {
    return explorer().findChild<ImageControl*>(QStringLiteral("Image%1").arg(round % 7 + 1));
}

// Move event in, large picture loaded and painted, word started.
void armedCardHover(benchmark::State& state) {
    Ufamilles::TFfamilles& f = explorer();
    QWindow* window = f.windowHandle();
    measure(
        state,
        [&](int) {
            QCoreApplication::processEvents(); // the event loop runs between two movements
            pointerAt(window, strip);
        },
        [&](int round) {
            ImageControl* target = card(round);
            pointerAt(window, target->mapTo(&f, target->rect().center()));
            f.carte->repaint();
        },
        [&](int round) {
            return f.MediaPlayerMP3->openFile() == catalogue::cardSound(cardOf(round)) &&
                   f.carte->picture() == pictures::loadPicture(catalogue::largeCard(cardOf(round)));
        });
}

// The parts of the hover, one at a time.
void loadLargePicture(benchmark::State& state) {
    measure(
        state, [](int) {},
        [](int round) {
            benchmark::DoNotOptimize(pictures::loadPicture(catalogue::largeCard(cardOf(round))));
        });
}

void loadIntoCarte(benchmark::State& state) {
    ImageControl* carte = explorer().carte;
    measure(
        state, [](int) {},
        [carte](int round) { carte->loadFromFile(catalogue::largeCard(cardOf(round))); });
}

void paintCarte(benchmark::State& state) {
    ImageControl* carte = explorer().carte;
    const auto prepare = [carte](int) { carte->update(); };
    measure(state, prepare, [carte](int) { carte->repaint(); });
}

void startWord(benchmark::State& state) {
    ::MediaPlayerMP3 player;
    measure(
        state, [](int) {},
        [&player](int round) {
            player.close();
            player.setFileName(catalogue::cardSound(cardOf(round)));
            player.open();
            player.play();
        });
}

} // namespace

BENCHMARK(armedCardHover)->UseManualTime()->Iterations(hovers)->Unit(benchmark::kMicrosecond);
BENCHMARK(loadLargePicture)->UseManualTime()->Iterations(hovers)->Unit(benchmark::kMicrosecond);
BENCHMARK(loadIntoCarte)->UseManualTime()->Iterations(hovers)->Unit(benchmark::kMicrosecond);
BENCHMARK(paintCarte)->UseManualTime()->Iterations(hovers)->Unit(benchmark::kMicrosecond);
BENCHMARK(startWord)->UseManualTime()->Iterations(hovers)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    // The generated default assets sit beside the bench folder in the build tree.
    const QString assets = qEnvironmentVariableIsSet("MIRABOSC_ASSET_DIR")
                               ? qEnvironmentVariable("MIRABOSC_ASSET_DIR")
                               : QCoreApplication::applicationDirPath() + "/../assets";
    if (!QDir::setCurrent(assets) || !QDir(QStringLiteral("img_familles")).exists()) {
        fprintf(stderr, "no generated assets in %s (build the default_assets target)\n",
                qPrintable(assets));
        return 1;
    }
    if (!openExplorer()) {
        fprintf(stderr, "the explorer did not open family %d\n", family);
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    form.reset();
    return 0;
}
