// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Separable Lanczos-3 resampling on premultiplied ARGB, one axis at a time.
#include "cardart/Resampler.h"

#include <QtMath>
#include <algorithm>
#include <vector>

namespace drawing {

namespace {

constexpr int lobes = 3;

double kernel(double x) {
    if (x == 0)
        return 1;
    if (std::abs(x) >= lobes)
        return 0;
    const double px = M_PI * x;
    return lobes * std::sin(px) * std::sin(px / lobes) / (px * px);
}

struct Tap {
    int index;
    double weight;
};

// For each output position along an axis, the input positions it reads and their weights.
std::vector<std::vector<Tap>> tapsFor(int from, int to) {
    const double scale = double(to) / from;
    // When shrinking, the kernel widens so that every input pixel counts.
    const double stretch = std::min(scale, 1.0);
    const double support = lobes / stretch;
    std::vector<std::vector<Tap>> taps(to);
    for (int out = 0; out < to; ++out) {
        const double centre = (out + 0.5) / scale - 0.5;
        double sum = 0;
        for (int in = int(std::floor(centre - support)); in <= int(std::ceil(centre + support));
             ++in) {
            const double weight = kernel((in - centre) * stretch);
            if (weight == 0)
                continue;
            taps[out].push_back({std::clamp(in, 0, from - 1), weight});
            sum += weight;
        }
        for (Tap& tap : taps[out])
            tap.weight /= sum;
    }
    return taps;
}

QRgb mix(const std::vector<Tap>& taps, const QRgb* line, int step) {
    double a = 0, r = 0, g = 0, b = 0;
    for (const Tap& tap : taps) {
        const QRgb p = line[tap.index * step];
        a += tap.weight * qAlpha(p);
        r += tap.weight * qRed(p);
        g += tap.weight * qGreen(p);
        b += tap.weight * qBlue(p);
    }
    // The kernel's negative lobes can overshoot; premultiplied colour never exceeds alpha.
    const int alpha = std::clamp(int(std::lround(a)), 0, 255);
    const auto channel = [alpha](double v) { return std::clamp(int(std::lround(v)), 0, alpha); };
    return qRgba(channel(r), channel(g), channel(b), alpha);
}

} // namespace

QImage Resampler::lanczos(const QImage& image, QSize size) {
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (source.isNull() || size.isEmpty())
        return {};
    const auto across = tapsFor(source.width(), size.width());
    QImage wide(size.width(), source.height(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(wide.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            out[x] = mix(across[x], in, 1);
    }
    const auto down = tapsFor(source.height(), size.height());
    QImage result(size, QImage::Format_ARGB32_Premultiplied);
    const auto* columns = reinterpret_cast<const QRgb*>(wide.constBits());
    const int stride = int(wide.bytesPerLine() / sizeof(QRgb));
    for (int y = 0; y < size.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < size.width(); ++x)
            out[x] = mix(down[y], columns + x, stride);
    }
    return result;
}

} // namespace drawing
