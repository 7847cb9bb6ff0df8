// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one path every take follows, recorded or imported.
#include "workshop/VoiceMaker.h"

#include "sets/SetFolder.h"
#include "takes/AudioImport.h"
#include "takes/Mp3Encoder.h"
#include "takes/TakeProcessor.h"

namespace voicemaker {

QByteArray makeVoice(const Take& take) {
    return mp3encoder::encode(takeprocessor::prepare(take));
}

QString importFile(SetFolder& folder, const QString& file, const QString& relativePath) {
    const QString name = SetFolder::checkedName(relativePath);
    const Take prepared = takeprocessor::prepare(audioimport::read(file));
    folder.write(name, mp3encoder::encode(prepared), FileOrigins::Origin::Imported);
    return QStringLiteral("%1 → %2 (%3 s)")
        .arg(file, folder.pathOf(name))
        .arg(prepared.seconds(), 0, 'f', 2);
}

} // namespace voicemaker
