// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Speech synthesis through the espeak-ng program; its WAV goes through the set-making core's voice
// pipeline, the one recorded takes follow, so synthetic and recorded words match.
#include "Speaker.h"

#include "base/Errors.h"
#include "sets/SafeWrite.h"
#include "takes/AudioImport.h"
#include "takes/Mp3Encoder.h"
#include "takes/TakeProcessor.h"

#include <QProcess>
#include <QStandardPaths>

namespace assetgen {

namespace {

const QString espeakProgram = QStringLiteral("espeak-ng");
// Slower than espeak-ng's 175 words a minute, for young listeners.
const QStringList espeakArguments = {QStringLiteral("-v"), QStringLiteral("ca"),
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

void Speaker::checkTools() {
    if (QStandardPaths::findExecutable(espeakProgram).isEmpty())
        throw EFOpenError(QStringLiteral("Programme introuvable : %1").arg(espeakProgram));
}

void Speaker::record(const QString& text, const QString& mp3Path) const {
    QStringList speak = espeakArguments;
    speak << QStringLiteral("--stdout") << respeller_.respell(text);
    const Take spoken = audioimport::decode(run(espeakProgram, speak), text);
    safewrite::write(mp3Path, mp3encoder::encode(takeprocessor::prepare(spoken)));
}

QString Speaker::phonemes(const QString& text) const {
    QStringList speak = espeakArguments;
    speak << QStringLiteral("-q") << QStringLiteral("--ipa") << respeller_.respell(text);
    return QString::fromUtf8(run(espeakProgram, speak)).simplified();
}

} // namespace assetgen
