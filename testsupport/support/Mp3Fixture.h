// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Test narrations made on the spot: a synthesised word encoded by the lame command, and the
// samples libmpg123 decodes from it, to compare with what the player hands to the output.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QtEndian>
#include <array>
#include <cmath>
#include <cstdint>
#include <mpg123.h>
#include <numbers>
#include <vector>

namespace mp3fixture {

struct Decoded {
    long rate = 0;
    int channels = 0;
    std::vector<float> samples; // interleaved
    int64_t frames() const { return channels ? int64_t(samples.size()) / channels : 0; }
};

constexpr int syllableCount = 3;
constexpr double syllableShare = 0.3; // of the word; the rest is the pauses between them
constexpr double edgeSeconds = 0.015; // raised-cosine attack and release
constexpr std::array<double, syllableCount> loudness{0.45, 0.15, 0.3};
constexpr std::array<double, syllableCount> pitch{440.0, 660.0, 550.0};
constexpr int pcmFullScale = 32767;
constexpr int lameTimeoutMs = 60000;

// A word of three syllables of different loudness; a second channel says them loudest last, so
// a lost or swapped channel shows in its envelope.
inline std::vector<int16_t> synthesise(int rate, int channels, double seconds) {
    const auto frames = static_cast<int64_t>(std::llround(rate * seconds));
    std::vector<int16_t> pcm(static_cast<size_t>(frames * channels));
    const double syllable = seconds * syllableShare;
    const double step = seconds / syllableCount;
    for (int64_t i = 0; i < frames; ++i) {
        const double t = double(i) / rate;
        const int s = std::min(int(t / step), syllableCount - 1);
        const double local = t - s * step;
        double gain = 0.0;
        if (local < syllable) {
            const double edge = std::min({local, syllable - local, edgeSeconds}) / edgeSeconds;
            gain = 0.5 - 0.5 * std::cos(std::numbers::pi * edge);
        }
        for (int c = 0; c < channels; ++c) {
            const int which = c == 0 ? s : syllableCount - 1 - s;
            const double value =
                loudness[which] * gain * std::sin(2.0 * std::numbers::pi * pitch[which] * local);
            pcm[size_t(i * channels + c)] = int16_t(std::lround(value * pcmFullScale));
        }
    }
    return pcm;
}

inline QByteArray wav(const std::vector<int16_t>& pcm, int rate, int channels) {
    const auto dataBytes = quint32(pcm.size() * sizeof(int16_t));
    QByteArray out;
    auto u32 = [&out](quint32 v) {
        v = qToLittleEndian(v);
        out.append(reinterpret_cast<const char*>(&v), 4);
    };
    auto u16 = [&out](quint16 v) {
        v = qToLittleEndian(v);
        out.append(reinterpret_cast<const char*>(&v), 2);
    };
    out.append("RIFF");
    u32(36 + dataBytes);
    out.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(quint16(channels));
    u32(quint32(rate));
    u32(quint32(rate * channels * 2));
    u16(quint16(channels * 2));
    u16(16);
    out.append("data");
    u32(dataBytes);
    for (int16_t sample : pcm)
        u16(quint16(sample));
    return out;
}

// Encodes the word with lame in VBR, which writes the gapless tag, at the word's own rate.
inline bool makeWord(const QString& path, int rate, int channels, double seconds) {
    QProcess lame;
    lame.start(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-V"),
                                        QStringLiteral("4"), QStringLiteral("--resample"),
                                        QString::number(rate / 1000.0), QStringLiteral("-"), path});
    if (!lame.waitForStarted())
        return false;
    lame.write(wav(synthesise(rate, channels, seconds), rate, channels));
    lame.closeWriteChannel();
    return lame.waitForFinished(lameTimeoutMs) && lame.exitStatus() == QProcess::NormalExit &&
           lame.exitCode() == 0 && QFile::exists(path);
}

// The whole file as libmpg123 decodes it to 32-bit float, as the player asks it to.
inline Decoded decode(const QString& path) {
    Decoded result;
    mpg123_handle* decoder = mpg123_new(nullptr, nullptr);
    if (!decoder)
        return result;
    mpg123_param(decoder, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0.0);
    mpg123_format_none(decoder);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    int encoding = 0;
    if (mpg123_open(decoder, QFile::encodeName(path).constData()) == MPG123_OK &&
        mpg123_getformat(decoder, &result.rate, &result.channels, &encoding) == MPG123_OK) {
        off_t frame = 0;
        unsigned char* audio = nullptr;
        size_t bytes = 0;
        while (mpg123_decode_frame(decoder, &frame, &audio, &bytes) == MPG123_OK) {
            const auto* samples = reinterpret_cast<const float*>(audio);
            result.samples.insert(result.samples.end(), samples, samples + bytes / sizeof(float));
        }
    }
    mpg123_delete(decoder);
    return result;
}

} // namespace mp3fixture
