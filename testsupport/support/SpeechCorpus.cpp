// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// espeak-ng speaks, sox resamples and synthesises (the same noise at every run, -R); the mixing
// is done here, where each sample's place is known. Speech is heard from the first to the last
// 5 ms whose level passes 40 dB under its loudest and the room's.
#include "support/SpeechCorpus.h"

#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cmath>

namespace speechcorpus {

namespace {

const QString babbleText = QStringLiteral("Un jorn de prima, los enfants anèron al mercat amb "
                                          "lor grand paire, e crompèron de pomas e de pan.");

bool run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// What sox makes of input (a file, or "-n" and its synth effects) as 48 kHz mono floats.
std::vector<float> soxed(const QString& raw, QStringList input) {
    QStringList arguments{QStringLiteral("-R"), input.takeFirst()};
    arguments << QStringLiteral("-r 48000 -c 1 -t f32").split(u' ') << raw << input;
    if (!QFile::exists(raw) && !run(QStringLiteral("sox"), arguments))
        return {};
    QFile file(raw);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const auto* samples = reinterpret_cast<const float*>(bytes.constData());
    return std::vector<float>(samples, samples + bytes.size() / qsizetype(sizeof(float)));
}

double rms(const std::vector<float>& samples, size_t from = 0, size_t count = SIZE_MAX) {
    count = std::min(count, samples.size() - std::min(from, samples.size()));
    double energy = 0;
    for (size_t i = from; i < from + count; ++i)
        energy += double(samples[i]) * samples[i];
    return count ? std::sqrt(energy / double(count)) : 0;
}

std::vector<float> scaled(std::vector<float> samples, double to) {
    const double level = rms(samples);
    for (float& s : samples)
        s = float(level > 0 ? s * to / level : 0);
    return samples;
}

void mixAt(std::vector<float>& into, const std::vector<float>& sound, double seconds) {
    const auto at = size_t(std::max(0.0, seconds) * rate);
    for (size_t i = 0; i < sound.size() && at + i < into.size(); ++i)
        into[at + i] += sound[i];
}

} // namespace

std::vector<float> speech(const QString& dir, const QString& text, int wordsPerMinute,
                          const QString& voice) {
    const QString wav =
        dir + QStringLiteral("/%1-%2-%3.wav").arg(voice).arg(qHash(text)).arg(wordsPerMinute);
    if (!QFile::exists(wav) &&
        !run(QStringLiteral("espeak-ng"),
             {QStringLiteral("-v"), voice, QStringLiteral("-s"), QString::number(wordsPerMinute),
              QStringLiteral("-w"), wav, text}))
        return {};
    const std::vector<float> samples = soxed(wav + QStringLiteral(".raw"), {wav});
    const auto heard = [](float s) { return std::abs(s) > 1e-4f; };
    const auto first = std::find_if(samples.begin(), samples.end(), heard);
    const auto last = std::find_if(samples.rbegin(), samples.rend(), heard).base();
    return first < last ? std::vector<float>(first, last) : std::vector<float>{};
}

std::vector<float> noise(const QString& dir, Noise kind, double level, double seconds) {
    const auto frames = size_t(seconds * rate);
    if (kind == Noise::None)
        return std::vector<float>(frames);
    if (kind == Noise::Babble) {
        std::vector<float> babble(frames);
        for (const char* voice : {"ca", "es", "fr", "it", "pt", "de"}) {
            const std::vector<float> talker = speech(dir, babbleText, 150, QLatin1String(voice));
            for (size_t i = 0; i < frames && !talker.empty(); ++i)
                babble[i] += talker[(i + babble.size() * size_t(*voice)) % talker.size()];
        }
        return scaled(babble, level);
    }
    const char* kinds[] = {"",
                           "whitenoise",
                           "brownnoise",
                           "",
                           "sine 50",
                           "pinknoise sinc 300-3000 fade q 0.15 0.45 0.2",
                           "pinknoise sinc 200-2500 fade q 0.01 0.18 0.12",
                           "sawtooth 220 fade q 0.01 0.06 0.01"};
    const double length = kind == Noise::Breath ? 0.45 : kind == Noise::Cough ? 0.18 : seconds;
    const QString synth = QStringLiteral("-n synth %1 %2").arg(length).arg(kinds[int(kind)]);
    return scaled(soxed(dir + QStringLiteral("/%1.raw").arg(qHash(synth)), synth.split(u' ')),
                  level);
}

Take make(const QString& dir, const Recipe& recipe) {
    std::vector<float> spoken = speech(dir, recipe.text, recipe.wordsPerMinute), body;
    if (spoken.empty())
        return {};
    const double speechRms = rms(spoken);
    if (recipe.extra == Extra::FullScale)
        spoken = scaled(spoken, speechRms / std::abs(*std::max_element(
                                                spoken.begin(), spoken.end(), [](float a, float b) {
                                                    return std::abs(a) < std::abs(b);
                                                })));
    if (recipe.extra == Extra::FalseStart) {
        body = speech(dir, recipe.text.section(u' ', 0, 0), recipe.wordsPerMinute);
        body.resize(body.size() + size_t(0.5 * rate));
    }
    if (recipe.extra == Extra::Syllable) { // a voiced 60 ms under the word's peaks, 40 ms before
        body = noise(dir, Noise::Buzz, speechRms, 0.06);
        body.resize(body.size() + size_t(0.04 * rate));
    }
    body.insert(body.end(), spoken.begin(), spoken.end());
    const double room = recipe.roomSeconds, bodySeconds = double(body.size()) / rate;
    const double roomRms =
        recipe.noise == Noise::None ? 0 : rms(spoken) * std::pow(10, -recipe.snrDb / 20);
    Take take{noise(dir, recipe.noise, roomRms, 2 * room + bodySeconds), 0, 0};
    mixAt(take.samples, body, room);
    if (recipe.extra == Extra::Breath)
        mixAt(take.samples, noise(dir, Noise::Breath, speechRms / 10), room - 0.7);
    for (const double at : {room - 0.3, room + bodySeconds + 0.3})
        if (recipe.extra == Extra::Clicks)
            mixAt(take.samples, std::vector<float>(rate * 3 / 1000, 0.8f), at);
    // The truth: 5 ms blocks, every millisecond, over the room (hum lies under the voice band).
    const double level = recipe.noise == Noise::Hum ? 0 : roomRms;
    std::vector<size_t> heard;
    double loudest = 0;
    for (size_t at = 0; at + rate / 200 <= body.size(); at += rate / 1000)
        loudest = std::max(loudest, rms(body, at, rate / 200));
    for (size_t at = 0; at + rate / 200 <= body.size(); at += rate / 1000)
        if (rms(body, at, rate / 200) > std::max(loudest / 100, level))
            heard.push_back(at + rate / 400);
    take.start = room + double(heard.front()) / rate;
    take.end = room + double(heard.back()) / rate;
    return take;
}

std::vector<Recipe> recipes() {
    using N = Noise;
    const char* page = "Joana se lèva amb lo solelh. Sa maire fa lo cafè.";
    std::vector<Recipe> corpus = {
        {"la cara", 90, 0},
        {"la cara", 130, 0},
        {"la cara", 180, 0},
        {"la nèu", 130, 0},
        {"lo sorelh", 130, 0},
        {"l'uèlh blau", 130, 0},
        {page, 130, 0},
        {page, 150, 0.6, N::White, 25},
        {"la cabra", 130, 0.6, N::Hum, 20},
        {"la grand-maire de la vesina", 130, 0, N::None, 0, Extra::FullScale}};
    for (const auto& [text, noise] :
         {std::pair{"la maire", N::White}, {"l'aucèl", N::Brown}, {"lo can", N::Babble}})
        for (const double snr : {40, 25, 15})
            corpus.push_back({text, 130, 0.6, noise, snr});
    for (const Extra extra : {Extra::Breath, Extra::Clicks, Extra::FalseStart})
        corpus.push_back({"la nèu", 130, 0.6, N::White, 40, extra});
    corpus.push_back({"can", 130, 0.6, N::White, 15, Extra::Syllable});
    return corpus;
}

} // namespace speechcorpus
