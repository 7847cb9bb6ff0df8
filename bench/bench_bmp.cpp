// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Our bitmap reader against Qt's own BMP reader, on the two picture sizes the screens load most.
#include "GuiMain.h"
#include "pictures/BmpReader.h"
#include "pictures/PictureLoader.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A picture with the detail of a real card: gradients and shapes, saved as a 24-bit BMP.
QByteArray cardLikeBmp(int w, int h) {
    QImage image(w, h, QImage::Format_RGB888);
    QPainter p(&image);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, QColor(255, 228, 203));
    g.setColorAt(1, QColor(40, 90, 200));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(Qt::darkGreen, 6));
    for (int i = 0; i < 20; ++i)
        p.drawEllipse(QPoint((i * 53) % w, (i * 97) % h), 30 + i, 20 + i);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

const QByteArray& picture(int w, int /*h*/) {
    static const QByteArray large = cardLikeBmp(424, 576);
    static const QByteArray album = cardLikeBmp(800, 527);
    return w == 424 ? large : album;
}

void setSize(benchmark::State& state, const QByteArray& bytes) {
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}

void BM_OurReader(benchmark::State& state) {
    const QByteArray& bytes = picture(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(BmpReader::decode(bytes));
    setSize(state, bytes);
}

void BM_QtReader(benchmark::State& state) {
    const QByteArray& bytes = picture(int(state.range(0)), int(state.range(1)));
    for (auto _ : state)
        benchmark::DoNotOptimize(QImage::fromData(bytes, "BMP"));
    setSize(state, bytes);
}

// From the file, as the screens load them: open, read, decode.
void BM_OurLoaderFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    QFile file(dir.filePath("p.bmp"));
    file.open(QIODevice::WriteOnly);
    file.write(picture(int(state.range(0)), int(state.range(1))));
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(pictures::loadPicture(QStringLiteral("p.bmp")));
}

void BM_QtLoaderFromFile(benchmark::State& state) {
    QTemporaryDir dir;
    QFile file(dir.filePath("p.bmp"));
    file.open(QIODevice::WriteOnly);
    file.write(picture(int(state.range(0)), int(state.range(1))));
    file.close();
    for (auto _ : state)
        benchmark::DoNotOptimize(QImage(file.fileName(), "BMP"));
}

} // namespace

BENCHMARK(BM_OurReader)->Args({424, 576})->Args({800, 527})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtReader)->Args({424, 576})->Args({800, 527})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OurLoaderFromFile)->Args({424, 576})->Args({800, 527})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_QtLoaderFromFile)->Args({424, 576})->Args({800, 527})->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv);
}
