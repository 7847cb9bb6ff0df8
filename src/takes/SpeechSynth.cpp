// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// libespeak-ng keeps one global synthesiser: it is set up once and used under a mutex, with the
// generator's voice and pace.
#include "takes/SpeechSynth.h"

#include "base/Errors.h"

#include <QMutex>
#include <espeak-ng/speak_lib.h>

namespace speechsynth {

namespace {

const char* const voiceName = "ca";
// Slower than espeak-ng's 175 words a minute, for young listeners, as the default set speaks.
constexpr int wordsPerMinute = 130;
constexpr int bufferMs = 200;
constexpr float pcmFullScale = 32768.0f;

QMutex synthesiser;
int sampleRate = 0; // 0: not set up yet; -1: could not be

int collect(short* samples, int count, espeak_EVENT* events) {
    if (samples && count > 0 && events && events->user_data) {
        auto* out = static_cast<std::vector<float>*>(events->user_data);
        for (int i = 0; i < count; ++i)
            out->push_back(float(samples[i]) / pcmFullScale);
    }
    return 0;
}

void setUp() {
    if (sampleRate != 0)
        return;
    sampleRate =
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, bufferMs, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (sampleRate <= 0 || espeak_SetVoiceByName(voiceName) != EE_OK) {
        sampleRate = -1;
        return;
    }
    espeak_SetSynthCallback(&collect);
    espeak_SetParameter(espeakRATE, wordsPerMinute, 0);
}

} // namespace

Take speak(const QString& text, const speech::Respeller& respeller) {
    const QByteArray utf8 = respeller.respell(text).toUtf8();
    const QMutexLocker lock(&synthesiser);
    setUp();
    if (sampleRate < 0)
        throw SetRefused(QStringLiteral("La votz sintetica (espeak-ng, %1) es pas disponibla")
                             .arg(QLatin1String(voiceName)));
    Take take{sampleRate, 1, {}};
    if (espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, 0, POS_CHARACTER, 0,
                     espeakCHARS_UTF8, nullptr, &take.samples) != EE_OK ||
        espeak_Synchronize() != EE_OK || take.samples.empty())
        throw SetRefused(QStringLiteral("La votz sintetica a pas dich « %1 »").arg(text));
    return take;
}

} // namespace speechsynth
