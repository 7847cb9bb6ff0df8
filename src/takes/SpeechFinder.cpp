// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Levels of 30 ms windows every 10 ms; speech is a run of loud windows long enough to be a
// syllable, then widened to its quieter edges (fricatives, fades) in the band above the hum.
#include "takes/SpeechFinder.h"

#include "base/Errors.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

namespace speechfinder {

namespace {

constexpr double hopSeconds = 0.010;
constexpr int windowHops = 3; // 30 ms, centred on the hop
constexpr double lowCutHz = 200.0;
constexpr double highCutHz = 4000.0;
constexpr double silentDb = -100.0;
// Digital silence (a device still starting, a pause in a file) is no room: left out of the
// floor, it would make the room's own noise count as speech.
constexpr double digitalSilenceDb = -90.0;
// The quietest tenth of the windows is taken as the room's noise.
constexpr double floorQuantile = 0.10;
// A take with this share of digital silence may have nothing else but speech.
constexpr double paddedFraction = 0.10;
// Speech must stand this far above the noise, and above this absolute level.
constexpr double speechOverFloorDb = 20.0;
constexpr double quietestSpeechDb = -55.0;
// A window is loud this far above the floor and not too far under the peak.
constexpr double loudOverFloorDb = 15.0;
constexpr double loudUnderPeakDb = 35.0;
// Loud runs closer than this are one; a run shorter than a syllable is a click or a knock.
constexpr double joinedGapSeconds = 0.05;
constexpr double shortestSpeechSeconds = 0.08;
// The edges of speech reach down to here, at most this far out from the loud part.
constexpr double edgeOverFloorDb = 6.0;
constexpr double edgeUnderPeakDb = 50.0;
constexpr double widestEdgeSeconds = 0.3;

// A second-order Butterworth section (the audio cookbook's form).
class Biquad {
public:
    Biquad(double hz, double rate, bool highPass) {
        const double w = 2.0 * std::numbers::pi * std::min(hz, 0.45 * rate) / rate;
        const double alpha = std::sin(w) / std::numbers::sqrt2;
        const double c = std::cos(w);
        const double a0 = 1.0 + alpha;
        const double side = highPass ? (1.0 + c) / 2.0 : (1.0 - c) / 2.0;
        b0_ = side / a0;
        b1_ = (highPass ? -2.0 * side : 2.0 * side) / a0;
        b2_ = b0_;
        a1_ = -2.0 * c / a0;
        a2_ = (1.0 - alpha) / a0;
    }
    double operator()(double x) {
        const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
        x2_ = x1_;
        x1_ = x;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double b0_, b1_, b2_, a1_, a2_;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

struct Levels {
    std::vector<double> voice; // 200 Hz to 4 kHz: where speech is judged
    std::vector<double> edge;  // above 200 Hz: where its quiet edges still show
    std::vector<bool> silent;  // digital silence
};

double decibels(double energy) {
    return energy > 0.0 ? std::max(silentDb, 10.0 * std::log10(energy)) : silentDb;
}

Levels levelsOf(const Take& mono, int64_t hop) {
    Biquad voiceLow(lowCutHz, mono.rate, true), voiceHigh(highCutHz, mono.rate, false);
    Biquad edgeLow(lowCutHz, mono.rate, true);
    const int64_t frames = mono.frames();
    const auto hops = size_t((frames + hop - 1) / hop);
    std::vector<double> voice(hops), edge(hops), full(hops);
    for (int64_t i = 0; i < frames; ++i) {
        const double x = mono.samples[size_t(i)];
        const double v = voiceHigh(voiceLow(x));
        const double e = edgeLow(x);
        const auto h = size_t(i / hop);
        voice[h] += v * v;
        edge[h] += e * e;
        full[h] += x * x;
    }
    Levels levels{std::vector<double>(hops), std::vector<double>(hops), std::vector<bool>(hops)};
    for (size_t h = 0; h < hops; ++h) {
        const size_t from = h >= windowHops / 2 ? h - windowHops / 2 : 0;
        const size_t to = std::min(hops, h + windowHops / 2 + 1);
        double v = 0, e = 0;
        for (size_t k = from; k < to; ++k) {
            v += voice[k];
            e += edge[k];
        }
        const auto count = double(int64_t(to - from) * hop);
        levels.voice[h] = decibels(v / count);
        levels.edge[h] = decibels(e / count);
        levels.silent[h] = decibels(full[h] / double(hop)) <= digitalSilenceDb;
    }
    return levels;
}

// The quiet end of the levels that are not digital silence.
double floorOf(const std::vector<double>& levels, const std::vector<bool>& silent) {
    std::vector<double> heard;
    for (size_t h = 0; h < levels.size(); ++h)
        if (!silent[h])
            heard.push_back(levels[h]);
    if (heard.empty())
        return silentDb;
    const auto quantile = heard.begin() + ptrdiff_t(double(heard.size() - 1) * floorQuantile);
    std::nth_element(heard.begin(), quantile, heard.end());
    return *quantile;
}

SetRefused noSpeech() {
    return SetRefused(QStringLiteral("L'enregistrament ten pas cap de paraula "
                                     "(silenci o bruch sonque)"));
}

} // namespace

Bounds find(const Take& mono) {
    const auto hop = std::max<int64_t>(1, std::llround(mono.rate * hopSeconds));
    const Levels levels = levelsOf(mono, hop);
    if (levels.voice.empty())
        throw noSpeech();
    const double peak = *std::max_element(levels.voice.begin(), levels.voice.end());
    double floor = floorOf(levels.voice, levels.silent);
    // A clean recording padded with digital silence (a synthetic voice, an edited file) has no
    // room noise: all it makes heard is speech, and its floor is the silence itself.
    const bool padded = double(std::count(levels.silent.begin(), levels.silent.end(), true)) >=
                        paddedFraction * double(levels.silent.size());
    if (padded && peak - floor < speechOverFloorDb)
        floor = digitalSilenceDb;
    if (peak < quietestSpeechDb || peak - floor < speechOverFloorDb)
        throw noSpeech();
    const double loud = std::max(floor + loudOverFloorDb, peak - loudUnderPeakDb);
    const auto toHops = [hop, &mono](double seconds) {
        return int64_t(std::llround(seconds * mono.rate / double(hop)));
    };
    // Loud runs, joined across short gaps; the first and last long enough to be speech.
    const auto hops = int64_t(levels.voice.size());
    int64_t first = -1, last = -1;
    for (int64_t h = 0; h < hops;) {
        if (levels.voice[size_t(h)] <= loud) {
            ++h;
            continue;
        }
        int64_t end = h + 1, quiet = 0;
        for (int64_t k = h + 1; k < hops && quiet <= toHops(joinedGapSeconds); ++k) {
            quiet = levels.voice[size_t(k)] > loud ? 0 : quiet + 1;
            if (quiet == 0)
                end = k + 1;
        }
        if (end - h >= toHops(shortestSpeechSeconds)) {
            if (first < 0)
                first = h;
            last = end;
        }
        h = end;
    }
    if (first < 0)
        throw noSpeech();
    const double edgeFloor =
        floor == digitalSilenceDb ? floor : floorOf(levels.edge, levels.silent);
    const double edgePeak = *std::max_element(levels.edge.begin(), levels.edge.end());
    const double edge = std::max(edgeFloor + edgeOverFloorDb, edgePeak - edgeUnderPeakDb);
    const int64_t widest = toHops(widestEdgeSeconds);
    for (int64_t k = 0; k < widest && first > 0 && levels.edge[size_t(first - 1)] > edge; ++k)
        --first;
    for (int64_t k = 0; k < widest && last < hops && levels.edge[size_t(last)] > edge; ++k)
        ++last;
    return {first * hop, std::min(mono.frames(), last * hop)};
}

} // namespace speechfinder
