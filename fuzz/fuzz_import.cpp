// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the import path of the set-making core on arbitrary bytes: decode (libsndfile
// through our virtual I/O and header caps), clean, find the speech, trim, level, encode.
#include "base/Errors.h"
#include "takes/AudioImport.h"
#include "workshop/VoiceMaker.h"

#include <QString>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const QByteArray mp3 =
            voicemaker::makeVoice(audioimport::decode(bytes, QStringLiteral("fuzz")));
        if (mp3.isEmpty())
            __builtin_trap(); // a voice accepted must be a file
    } catch (const Exception&) {
        // A refusal with a message is the expected answer to most inputs.
    }
    return 0;
}
