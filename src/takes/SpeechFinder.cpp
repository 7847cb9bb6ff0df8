// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Levels of 30 ms windows every 10 ms. The room is the quietest steady stretch, if the take has
// one; speech is a voiced run of loud windows, widened to its quieter edges and then placed to
// the millisecond.
#include "takes/SpeechFinder.h"

#include "base/Errors.h"
#include "takes/Voicing.h"

#include <QString>
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

namespace speechfinder {

namespace {

constexpr double hopSeconds = 0.010;
constexpr int windowHops = 3; // 30 ms, centred on the hop
constexpr double lowCutHz = 200.0;
constexpr double highCutHz = 4000.0;
constexpr double silentDb = -100.0;
// Digital silence (a device still starting, a pause in a file) is no room.
constexpr double digitalSilenceDb = -90.0;
// A room's noise is steady: over this long, its windows stay this close to their mean. Speech
// never is, but a take cut tight to its words has no such stretch at all.
constexpr int roomHops = 25;
constexpr double roomSpreadDb = 2.5;
constexpr double roomLoudestQuantile = 0.95;
// Speech must stand this far above the room, and above this absolute level.
constexpr double speechOverFloorDb = 20.0;
constexpr double quietestSpeechDb = -55.0;
// A window is loud this far above the room and not too far under the peak.
constexpr double loudOverFloorDb = 15.0;
constexpr double loudUnderPeakDb = 35.0;
// Loud runs closer than this are one; a run shorter than a syllable is a click or a knock, and
// one with no voiced moment is a breath, a rustle or a cough's burst.
constexpr double joinedGapSeconds = 0.05;
constexpr double shortestSpeechSeconds = 0.08;
constexpr double shortestVoicingSeconds = 0.03;
// A shorter run voiced all through is a short syllable (an article, a soft "lo") when it sits
// no further from speech than a stop's closure or the pause after an article; a click or a
// knock is over sooner, and a false start waits longer.
constexpr double shortestSyllableSeconds = 0.05;
constexpr double syllableGapSeconds = 0.2;
// The edges of speech reach down to here, at most this far out from the loud part.
constexpr double edgeOverRoomDb = 3.0;
constexpr double edgeUnderPeakDb = 50.0;
constexpr double widestEdgeSeconds = 0.3;
// A gentle onset (l, m, a vowel) swells over several windows and can start under a room's loud
// moments (other voices): it is followed out while each window rises at least this much on the
// one before, but not a cliff's worth (before a cliff is room), and down to where a voice as
// loud as the room's mean still adds this.
constexpr double onsetRiseDb = 1.0;
constexpr double steepestOnsetDb = 3.0;
constexpr double heardOverRoomDb = 3.0;
// Edges are then placed to the nearest block of this length; a block is only over the level
// once speech fills part of it, so the edges are kept a little wider.
constexpr double blockSeconds = 0.002;
constexpr double onsetSeconds = 0.010;
constexpr double releaseSeconds = 0.015;

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
    std::vector<float> edgeSignal;
    std::vector<float> voiceSignal; // every step-th sample of the voice band, for voicing
    int64_t step = 1;
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
    Levels levels{std::vector<double>(hops),
                  std::vector<double>(hops),
                  std::vector<bool>(hops),
                  std::vector<float>(size_t(frames)),
                  {},
                  1};
    levels.step = voicing::step(mono.rate);
    levels.voiceSignal.reserve(size_t(frames / levels.step + 1));
    for (int64_t i = 0; i < frames; ++i) {
        const double x = mono.samples[size_t(i)];
        const double v = voiceHigh(voiceLow(x));
        const double e = edgeLow(x);
        const auto h = size_t(i / hop);
        voice[h] += v * v;
        edge[h] += e * e;
        full[h] += x * x;
        levels.edgeSignal[size_t(i)] = float(e);
        if (i % levels.step == 0)
            levels.voiceSignal.push_back(float(v));
    }
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

// Mean power in dB of the edge band over one block.
double blockLevel(const Levels& levels, int64_t first, int64_t length) {
    double energy = 0;
    for (int64_t i = first; i < first + length; ++i)
        energy += double(levels.edgeSignal[size_t(i)]) * levels.edgeSignal[size_t(i)];
    return decibels(energy / double(length));
}

struct Room {
    double voice;    // mean level of its windows in the voice band
    double edgeMax;  // how loud it gets above the hum, in windows
    double blockMax; // and in blocks
};

// The quietest steady stretch of sound that is not digital silence, quiet enough under the peak
// for speech to stand over it; none in a take that holds nothing but speech. How loud the room
// gets is read from all the windows as quiet as that stretch, since noise has its moments.
std::optional<Room> roomOf(const Levels& levels, double peak, int64_t hop, int64_t block) {
    std::optional<int64_t> quietest;
    double quietestMean = 0;
    const auto hops = int64_t(levels.voice.size());
    for (int64_t h = 0; h + roomHops <= hops; ++h) {
        double sum = 0, squares = 0;
        bool heard = true;
        for (int64_t k = h; k < h + roomHops && heard; ++k) {
            heard = !levels.silent[size_t(k)];
            sum += levels.voice[size_t(k)];
            squares += levels.voice[size_t(k)] * levels.voice[size_t(k)];
        }
        const double mean = sum / roomHops;
        const double spread = std::sqrt(std::max(0.0, squares / roomHops - mean * mean));
        if (heard && spread <= roomSpreadDb && mean <= peak - speechOverFloorDb &&
            (!quietest || mean < quietestMean)) {
            quietest = h;
            quietestMean = mean;
        }
    }
    if (!quietest)
        return std::nullopt;
    std::vector<double> edges;
    for (size_t h = 0; h < levels.voice.size(); ++h)
        if (!levels.silent[h] && levels.voice[h] <= quietestMean + 2 * roomSpreadDb)
            edges.push_back(levels.edge[h]);
    const auto loudest = edges.begin() + ptrdiff_t(double(edges.size() - 1) * roomLoudestQuantile);
    std::nth_element(edges.begin(), loudest, edges.end());
    Room room{quietestMean, *loudest, silentDb};
    const auto stretchEnd =
        std::min(int64_t(levels.edgeSignal.size()), (*quietest + roomHops) * hop);
    for (int64_t at = *quietest * hop; at + block <= stretchEnd; at += block)
        room.blockMax = std::max(room.blockMax, blockLevel(levels, at, block));
    return room;
}

// Whether the voice band repeats itself at a speaking pitch around this hop.
bool voiced(const Levels& levels, int64_t hop, int64_t h, int rate) {
    const std::vector<float>& x = levels.voiceSignal;
    const double slowRate = double(rate) / double(levels.step);
    const auto length = size_t(std::llround(windowHops * hopSeconds * slowRate));
    const auto from = size_t(std::max<int64_t>(0, (h - windowHops / 2) * hop / levels.step));
    return from + length + voicing::longestPeriod(slowRate) < x.size() &&
           voicing::voiced(x.data() + from, length, slowRate);
}

// From a block inside speech, stepping one block at a time towards the limit: the farthest
// block over the level that is followed by no gap longer than a voice's pitch period.
int64_t outermost(const Levels& levels, int64_t from, int64_t step, int64_t limit, double level) {
    const auto length = std::abs(step);
    const auto longestGap = int64_t(voicing::longestPeriod(1.0 / blockSeconds));
    int64_t found = from, gap = 0;
    for (int64_t at = from; (step < 0 ? at >= limit : at <= limit) && gap <= longestGap;
         at += step) {
        gap = blockLevel(levels, at, length) > level ? 0 : gap + 1;
        if (gap == 0)
            found = at;
    }
    return found;
}

// A sound as steady from end to end as a room (a tone, a whistle, a hum) is no speech either.
bool steady(const Levels& levels) {
    double sum = 0, squares = 0, count = 0;
    for (size_t h = 0; h < levels.voice.size(); ++h)
        if (!levels.silent[h]) {
            sum += levels.voice[h];
            squares += levels.voice[h] * levels.voice[h];
            ++count;
        }
    const double mean = count > 0 ? sum / count : 0;
    return count > 0 && squares / count - mean * mean <= roomSpreadDb * roomSpreadDb;
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
    // With no room, all that is heard is speech: the floor is the silence under it.
    const auto block = std::max<int64_t>(1, std::llround(mono.rate * blockSeconds));
    const std::optional<Room> room = roomOf(levels, peak, hop, block);
    const double floor = room ? room->voice : digitalSilenceDb;
    if (peak < quietestSpeechDb || peak - floor < speechOverFloorDb || (!room && steady(levels)))
        throw noSpeech();
    const double loud = std::max(floor + loudOverFloorDb, peak - loudUnderPeakDb);
    const auto toHops = [hop, &mono](double seconds) {
        return int64_t(std::llround(seconds * mono.rate / double(hop)));
    };
    // Loud runs, joined across short gaps; the first and last long enough, and voiced enough,
    // to be speech, or short syllables close before or after it.
    struct Run {
        int64_t first, end;
        bool speech; // else a short syllable
    };
    std::vector<Run> runs;
    const auto hops = int64_t(levels.voice.size());
    const int64_t syllableHops = toHops(shortestSyllableSeconds);
    for (int64_t h = 0; h < hops;) {
        if (levels.voice[size_t(h)] <= loud) {
            ++h;
            continue;
        }
        int64_t end = h + 1, quiet = 0, voicedHops = 0;
        for (int64_t k = h + 1; k < hops && quiet <= toHops(joinedGapSeconds); ++k) {
            quiet = levels.voice[size_t(k)] > loud ? 0 : quiet + 1;
            if (quiet == 0)
                end = k + 1;
        }
        for (int64_t k = h; k < end && voicedHops < syllableHops; ++k)
            if (levels.voice[size_t(k)] > loud && voiced(levels, hop, k, mono.rate))
                ++voicedHops;
        if (end - h >= toHops(shortestSpeechSeconds) &&
            voicedHops >= toHops(shortestVoicingSeconds))
            runs.push_back({h, end, true});
        else if (end - h >= syllableHops && voicedHops >= syllableHops)
            runs.push_back({h, end, false});
        h = end;
    }
    const auto isSpeech = [](const Run& run) { return run.speech; };
    auto from = std::find_if(runs.begin(), runs.end(), isSpeech);
    auto to = std::find_if(runs.rbegin(), runs.rend(), isSpeech);
    if (from == runs.end())
        throw noSpeech();
    const int64_t syllableGap = toHops(syllableGapSeconds);
    while (from != runs.begin() && std::prev(from)->end + syllableGap >= from->first)
        --from;
    while (to != runs.rbegin() && std::prev(to)->first <= to->end + syllableGap)
        --to;
    int64_t first = from->first, last = to->end;
    const double edgeFloor = room ? room->edgeMax : digitalSilenceDb;
    const double edgePeak = *std::max_element(levels.edge.begin(), levels.edge.end());
    const double edge = std::max(edgeFloor + edgeOverRoomDb, edgePeak - edgeUnderPeakDb);
    const int64_t widest = toHops(widestEdgeSeconds);
    // A gentle onset goes on before the edge level (a release is kept by its margin).
    const auto gentle = [&levels, floor](int64_t h) {
        const double rise = levels.voice[size_t(h)] - levels.voice[size_t(h - 1)];
        return levels.voice[size_t(h - 1)] > floor + heardOverRoomDb && rise >= onsetRiseDb &&
               rise <= steepestOnsetDb;
    };
    int64_t k = 0;
    for (; k < widest && first > 0 && levels.edge[size_t(first - 1)] > edge; ++k)
        --first;
    for (; k < widest && first > 0 && gentle(first); ++k)
        --first;
    for (k = 0; k < widest && last < hops && levels.edge[size_t(last)] > edge; ++k)
        ++last;
    // A window hears speech a hop before its own: the edges are placed on the blocks, walking
    // out from inside the speech while blocks over the edge level keep coming.
    const int64_t frames = mono.frames();
    const double blockEdge = std::max(edge, room ? room->blockMax + edgeOverRoomDb : silentDb);
    const int64_t start =
        std::max<int64_t>(0, outermost(levels, std::min(frames, (first + 2) * hop) - block, -block,
                                       std::max<int64_t>(0, (first - 2) * hop), blockEdge) -
                                 int64_t(std::llround(mono.rate * onsetSeconds)));
    const int64_t stop =
        std::min(frames, outermost(levels, std::max<int64_t>(0, (last - 2) * hop), block,
                                   std::min(frames, (last + 2) * hop) - block, blockEdge) +
                             block + int64_t(std::llround(mono.rate * releaseSeconds)));
    return {start, std::max(start + 1, stop)};
}

} // namespace speechfinder
