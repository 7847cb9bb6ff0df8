// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Speaks with espeak-ng and mixes in white noise with sox; the word's bounds come from the clean
// recording, where any sample above -40 dBFS is speech.
#include "support/SpokenTake.h"

#include <QProcess>
#include <algorithm>
#include <cmath>
#include <sndfile.h>
#include <vector>

namespace spokentake {

namespace {

constexpr int toolTimeoutMs = 60000;
constexpr double speechSample = 0.01;

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(toolTimeoutMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

} // namespace

bool sox(const QStringList& arguments) {
    return run(QStringLiteral("sox"), arguments);
}

bool convert(const QString& input, const QString& output, const QStringList& effects) {
    if (output.endsWith(QLatin1String(".mp3")))
        return run(QStringLiteral("lame"), {QStringLiteral("--quiet"), input, output});
    return sox(QStringList{input, output} + effects);
}

Word make(const QString& dir, const QString& text) {
    const QString clean = dir + QStringLiteral("/clean.wav");
    const QString padded = dir + QStringLiteral("/padded.wav");
    const QString noise = dir + QStringLiteral("/noise.wav");
    Word word{dir + QStringLiteral("/take.wav"), 0, 0, 0};
    if (!run(QStringLiteral("espeak-ng"),
             {QStringLiteral("-v"), QStringLiteral("ca"), QStringLiteral("-w"), clean, text}))
        return {};
    SF_INFO info{};
    SNDFILE* file = sf_open(clean.toLocal8Bit().constData(), SFM_READ, &info);
    if (!file)
        return {};
    std::vector<float> samples(size_t(info.frames * info.channels));
    sf_readf_float(file, samples.data(), info.frames);
    sf_close(file);
    const auto loud = [](float s) { return std::abs(s) > speechSample; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud) - samples.begin();
    const auto last = samples.rend() - std::find_if(samples.rbegin(), samples.rend(), loud) - 1;
    const double rate = double(info.samplerate) * info.channels;
    word.speechStart = noiseSeconds + double(first) / rate;
    word.speechEnd = noiseSeconds + double(last) / rate;
    word.seconds = double(info.frames) / info.samplerate + 2 * noiseSeconds;
    const QString pad = QString::number(noiseSeconds);
    if (!sox({clean, QStringLiteral("-r"), QStringLiteral("48000"), QStringLiteral("-c"),
              QStringLiteral("2"), padded, QStringLiteral("pad"), pad, pad}) ||
        !sox({QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("48000"),
              QStringLiteral("-c"), QStringLiteral("2"), noise, QStringLiteral("synth"),
              QString::number(word.seconds), QStringLiteral("whitenoise"), QStringLiteral("vol"),
              QStringLiteral("0.01")}) ||
        !sox({QStringLiteral("-m"), QStringLiteral("-v"), QStringLiteral("1"), padded,
              QStringLiteral("-v"), QStringLiteral("1"), noise, word.wav}))
        return {};
    return word;
}

} // namespace spokentake
