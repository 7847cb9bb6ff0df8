// Speech synthesis through the espeak-ng program; its WAV goes through the set-making core's voice
// pipeline, the one recorded takes follow, so synthetic and recorded words match.
#include "Voice.h"

#include "base/Errors.h"
#include "voices/AudioImport.h"
#include "voices/Mp3Encoder.h"
#include "voices/SafeWrite.h"
#include "voices/TakeProcessor.h"

#include <QProcess>
#include <QStandardPaths>

namespace assetgen {

namespace {

const QString speaker = QStringLiteral("espeak-ng");
// Slower than espeak-ng's 175 words a minute, for young listeners.
const QStringList speakerArguments = {QStringLiteral("-v"), QStringLiteral("ca"),
                                      QStringLiteral("-s"), QStringLiteral("130")};
constexpr int toolTimeoutMs = 60000;

QByteArray run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.start();
    if (!process.waitForStarted(toolTimeoutMs))
        throw EFOpenError(QStringLiteral("Impossible de lancer %1").arg(program));
    process.closeWriteChannel();
    if (!process.waitForFinished(toolTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw EReadError(QStringLiteral("%1 a échoué : %2")
                             .arg(program, QString::fromLocal8Bit(process.readAllStandardError())));
    return process.readAllStandardOutput();
}

} // namespace

void Voice::checkTools() {
    if (QStandardPaths::findExecutable(speaker).isEmpty())
        throw EFOpenError(QStringLiteral("Programme introuvable : %1").arg(speaker));
}

void Voice::record(const QString& text, const QString& mp3Path) const {
    QStringList speak = speakerArguments;
    speak << QStringLiteral("--stdout") << respeller_.respell(text);
    const Take spoken = audioimport::decode(run(speaker, speak), text);
    safewrite::write(mp3Path, mp3encoder::encode(takeprocessor::prepare(spoken)));
}

QString Voice::phonemes(const QString& text) const {
    QStringList speak = speakerArguments;
    speak << QStringLiteral("-q") << QStringLiteral("--ipa") << respeller_.respell(text);
    return QString::fromUtf8(run(speaker, speak)).simplified();
}

} // namespace assetgen
