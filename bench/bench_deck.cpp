// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole printed deck (49 cards, 7 family cards, their backs on duplex sheets) as a PDF: the
// default set, and a class's set with a drawing on each of its 49 cards kept at the largest size
// the workshop keeps. Goal: each under 5 s and 30 MB; the time, the PDF's size and the process's
// peak memory are reported.
#include "GuiMain.h"
#include "cardart/CardComposer.h"
#include "deck/DeckWriter.h"
#include "sets/Locations.h"
#include "sets/SetFolder.h"
#include "workshop/DeckCommands.h"

#include <QDir>
#include <QPainter>
#include <chrono>
#include <sys/resource.h>

namespace {

constexpr double bytesPerMegabyte = 1024.0 * 1024.0;
constexpr double kilobytesPerMegabyte = 1024.0;
constexpr int strokes = 60;
const QString row = QStringLiteral("sons_familles/12.mp3");

deck::PrintedSet defaultSet() {
    QStringList problems;
    return deckcommands::printedSet(
        SetFolder(QDir::tempPath() + QStringLiteral("/mirabosc-bench-none"), locations::baseSet()),
        problems);
}

// A child's drawing: coloured strokes on white, different on every card, as large as kept.
PictureArt drawing(int card) {
    const QSize kept = (QSizeF(cardcomposer::artSize(row)) * PictureArt::oversampling).toSize();
    QImage image(kept, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < strokes; ++i) {
        painter.setPen(QPen(QColor::fromHsv((card * 37 + i * 11) % 360, 180, 220), 6 + i % 9));
        painter.drawLine((i * 53 + card * 7) % kept.width(), (i * 31) % kept.height(),
                         (i * 97 + card * 13) % kept.width(), (i * 71 + card) % kept.height());
    }
    return PictureArt(image);
}

void wholeDeck(benchmark::State& state, bool drawn) {
    deck::PrintedSet set = defaultSet();
    if (drawn)
        for (const content::Family& family : set.content.families)
            for (const content::Card& card : family.cards)
                set.drawings.emplace(card.number,
                                     PlacedArt{drawing(card.number), PictureArt::Placement::Fill});
    deck::DeckOptions options;
    options.backs = deck::Backs::LongEdge;
    qint64 bytes = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        bytes = deck::DeckWriter::pdf(set, options).size();
        const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(elapsed.count());
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["pdf_MB"] = double(bytes) / bytesPerMegabyte;
    state.counters["peak_memory_MB"] = double(usage.ru_maxrss) / kilobytesPerMegabyte;
}

void defaultDeck(benchmark::State& state) {
    wholeDeck(state, false);
}

void classDeckWith49Drawings(benchmark::State& state) {
    wholeDeck(state, true);
}

} // namespace

BENCHMARK(defaultDeck)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(classDeckWith49Drawings)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
