// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// espeak-ng speaks, sox resamples and synthesises the noises; the mixing is done here, where each
// sample's place is known, and so is the truth.
#include "support/SpeechCorpus.h"

#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace speechcorpus {

namespace {

constexpr int toolTimeoutMs = 60000;
constexpr float digitalSilence = 1e-4f;
constexpr double falseStartGap = 0.5, breathGap = 0.25, clickGap = 0.3, clickSeconds = 0.003;
constexpr float clickLevel = 0.8f;
constexpr double breathUnderSpeechDb = 20, humHz = 50;
constexpr double babbleSeconds = 8;
const char* const babbleVoices[] = {"ca", "es", "fr", "it", "pt", "de"};
const char* const babbleText = "Un jorn de prima, los enfants anèron al mercat amb lor grand "
                               "paire, e crompèron de pomas, de formatge e de pan.";

std::vector<float> readRaw(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    std::vector<float> samples(size_t(bytes.size()) / sizeof(float));
    std::copy_n(bytes.constData(), samples.size() * sizeof(float),
                reinterpret_cast<char*>(samples.data()));
    return samples;
}

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(toolTimeoutMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// sox's own sound (synth arguments) or a file, as raw 48 kHz mono floats; noise is the same at
// every run (-R).
std::vector<float> soxRaw(const QString& input, const QString& raw, const QStringList& effects) {
    const QStringList output{QStringLiteral("-r"),
                             QString::number(rate),
                             QStringLiteral("-c"),
                             QStringLiteral("1"),
                             QStringLiteral("-t"),
                             QStringLiteral("f32"),
                             raw};
    if (!QFile::exists(raw) &&
        !run(QStringLiteral("sox"), QStringList{QStringLiteral("-R"), input} + output + effects))
        return {};
    return readRaw(raw);
}

std::vector<float> synth(const QString& raw, const QStringList& effects) {
    return soxRaw(QStringLiteral("-n"), raw, effects);
}

std::vector<float> normalised(std::vector<float> samples) {
    const double level = rms(samples);
    for (float& s : samples)
        s = float(level > 0 ? s / level : 0);
    return samples;
}

void mixAt(std::vector<float>& into, const std::vector<float>& sound, double gain, size_t at) {
    for (size_t i = 0; i < sound.size() && at + i < into.size(); ++i)
        into[at + i] += float(sound[i] * gain);
}

size_t frames(double seconds) {
    return size_t(std::llround(seconds * rate));
}

} // namespace

double rms(const std::vector<float>& samples) {
    double energy = 0;
    for (float s : samples)
        energy += double(s) * s;
    return samples.empty() ? 0 : std::sqrt(energy / double(samples.size()));
}

std::vector<float> speech(const QString& dir, const QString& text, int wordsPerMinute) {
    const QString name = dir + QStringLiteral("/%1-%2").arg(qHash(text)).arg(wordsPerMinute);
    if (!QFile::exists(name + QStringLiteral(".wav")) &&
        !run(QStringLiteral("espeak-ng"),
             {QStringLiteral("-v"), QStringLiteral("ca"), QStringLiteral("-s"),
              QString::number(wordsPerMinute), QStringLiteral("-w"), name + QStringLiteral(".wav"),
              text}))
        return {};
    std::vector<float> samples =
        soxRaw(name + QStringLiteral(".wav"), name + QStringLiteral(".raw"), {});
    const auto loud = [](float s) { return std::abs(s) > digitalSilence; };
    const auto first = std::find_if(samples.begin(), samples.end(), loud);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), loud).base();
    return first < last ? std::vector<float>(first, last) : std::vector<float>{};
}

std::vector<float> noise(const QString& dir, Noise kind, double seconds) {
    const QString length = QString::number(seconds);
    switch (kind) {
    case Noise::White:
    case Noise::Brown:
        return normalised(synth(
            dir + QStringLiteral("/noise-%1-%2.raw").arg(int(kind)).arg(length),
            {QStringLiteral("synth"), length,
             kind == Noise::White ? QStringLiteral("whitenoise") : QStringLiteral("brownnoise")}));
    case Noise::Hum:
        return normalised(synth(
            dir + QStringLiteral("/hum-%1.raw").arg(length),
            {QStringLiteral("synth"), length, QStringLiteral("sine"), QString::number(humHz)}));
    case Noise::Babble: {
        std::vector<float> babble(frames(std::max(seconds, babbleSeconds)));
        size_t offset = 0;
        for (const char* voice : babbleVoices) {
            const QString wav = dir + QStringLiteral("/babble-%1.wav").arg(QLatin1String(voice));
            if (!QFile::exists(wav) && !run(QStringLiteral("espeak-ng"),
                                            {QStringLiteral("-v"), QLatin1String(voice),
                                             QStringLiteral("-w"), wav, QLatin1String(babbleText)}))
                return {};
            const std::vector<float> talker =
                normalised(soxRaw(wav, wav + QStringLiteral(".raw"), {}));
            offset += talker.size() / 7;
            for (size_t i = 0; i < babble.size() && !talker.empty(); ++i)
                babble[i] += talker[(i + offset) % talker.size()];
        }
        babble.resize(frames(seconds));
        return normalised(babble);
    }
    case Noise::None:
        break;
    }
    return std::vector<float>(frames(seconds));
}

std::vector<float> burst(const QString& dir, bool cough) {
    return normalised(synth(
        dir + (cough ? QStringLiteral("/cough.raw") : QStringLiteral("/breath.raw")),
        cough
            ? QStringList{QStringLiteral("synth"), QStringLiteral("0.18"),
                          QStringLiteral("pinknoise"), QStringLiteral("sinc"),
                          QStringLiteral("200-2500"), QStringLiteral("fade"), QStringLiteral("q"),
                          QStringLiteral("0.01"), QStringLiteral("0.18"), QStringLiteral("0.12")}
            : QStringList{QStringLiteral("synth"), QStringLiteral("0.45"),
                          QStringLiteral("pinknoise"), QStringLiteral("sinc"),
                          QStringLiteral("300-3000"), QStringLiteral("fade"), QStringLiteral("q"),
                          QStringLiteral("0.15"), QStringLiteral("0.45"), QStringLiteral("0.2")}));
}

std::pair<double, double> heardSpan(const std::vector<float>& speech, double roomRms) {
    const size_t block = frames(0.005), step = frames(0.001);
    std::vector<double> levels;
    for (size_t at = 0; at + block <= speech.size(); at += step)
        levels.push_back(rms(std::vector<float>(speech.begin() + ptrdiff_t(at),
                                                speech.begin() + ptrdiff_t(at + block))));
    if (levels.empty())
        return {0, 0};
    const double threshold =
        std::max(*std::max_element(levels.begin(), levels.end()) * 0.01, roomRms);
    const auto heard = [threshold](double level) { return level > threshold; };
    const auto first = std::find_if(levels.begin(), levels.end(), heard) - levels.begin();
    const auto last = levels.rend() - std::find_if(levels.rbegin(), levels.rend(), heard) - 1;
    const double centre = double(block) / 2;
    return {(double(first * ptrdiff_t(step)) + centre) / rate,
            (double(last * ptrdiff_t(step)) + centre) / rate};
}

Take make(const QString& dir, const Recipe& recipe) {
    std::vector<float> spoken = speech(dir, recipe.text, recipe.wordsPerMinute);
    if (spoken.empty())
        return {};
    if (recipe.extra == Extra::FullScale) {
        const float peak =
            std::abs(*std::max_element(spoken.begin(), spoken.end(),
                                       [](float a, float b) { return std::abs(a) < std::abs(b); }));
        for (float& s : spoken)
            s /= peak;
    }
    const double speechRms = rms(spoken);
    std::vector<float> body;
    if (recipe.extra == Extra::FalseStart) {
        body = speech(dir, recipe.text.section(QLatin1Char(' '), 0, 0), recipe.wordsPerMinute);
        body.resize(body.size() + frames(falseStartGap));
    }
    body.insert(body.end(), spoken.begin(), spoken.end());
    const size_t room = frames(recipe.roomSeconds);
    Take take;
    take.samples.assign(room + body.size() + room, 0.0f);
    mixAt(take.samples, body, 1, room);
    const double roomRms =
        recipe.noise == Noise::None ? 0 : speechRms * std::pow(10, -recipe.snrDb / 20);
    mixAt(take.samples, noise(dir, recipe.noise, double(take.samples.size()) / rate), roomRms, 0);
    if (recipe.extra == Extra::Breath)
        mixAt(take.samples, burst(dir, false), speechRms * std::pow(10, -breathUnderSpeechDb / 20),
              room - frames(breathGap + 0.45));
    if (recipe.extra == Extra::Clicks)
        for (const size_t at : {room - frames(clickGap), room + body.size() + frames(clickGap)})
            for (size_t i = 0; i < frames(clickSeconds); ++i)
                take.samples[at + i] += i % 3 ? clickLevel : -clickLevel;
    const auto [start, end] = heardSpan(body, recipe.noise == Noise::Hum ? 0 : roomRms);
    take.start = recipe.roomSeconds + start;
    take.end = recipe.roomSeconds + end;
    return take;
}

} // namespace speechcorpus
