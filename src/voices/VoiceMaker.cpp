// The one path every take follows, recorded or imported.
#include "voices/VoiceMaker.h"

#include "voices/AudioImport.h"
#include "voices/Mp3Encoder.h"
#include "voices/TakeProcessor.h"
#include "voices/VoiceFolder.h"

namespace voicemaker {

QByteArray makeVoice(const Take& take) {
    return mp3encoder::encode(takeprocessor::prepare(take));
}

QString importFile(VoiceFolder& folder, const QString& file, const QString& relativePath) {
    const QString name = VoiceFolder::checkedName(relativePath);
    const Take prepared = takeprocessor::prepare(audioimport::read(file));
    folder.write(name, mp3encoder::encode(prepared));
    return QStringLiteral("%1 → %2 (%3 s)")
        .arg(file, folder.pathOf(name))
        .arg(prepared.seconds(), 0, 'f', 2);
}

} // namespace voicemaker
