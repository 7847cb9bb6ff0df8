// Speech synthesis through the espeak-ng and lame programs, with our own silence trimming.
#include "Voice.h"

#include "base/Errors.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtEndian>

namespace assetgen {

namespace {

const QString speaker = QStringLiteral("espeak-ng");
const QString encoder = QStringLiteral("lame");
// Slower than espeak-ng's 175 words a minute, for young listeners.
const QStringList speakerArguments = {QStringLiteral("-v"), QStringLiteral("ca"),
                                      QStringLiteral("-s"), QStringLiteral("130")};
// -V 7 keeps the gapless tag that -b 48 and below drop, so the word ends where it should.
const QStringList encoderArguments = {QStringLiteral("--quiet"), QStringLiteral("-V"),
                                      QStringLiteral("7"),       QStringLiteral("-m"),
                                      QStringLiteral("m"),       QStringLiteral("-")};
constexpr int toolTimeoutMs = 60000;
constexpr int wavHeaderSize = 44;
constexpr int silenceThreshold = 400; // of 32767: about -38 dBFS
constexpr int leadMarginMs = 15;
constexpr int tailMarginMs = 60;
// Every voice peaks at -6 dBFS: the same loudness from word to word, and room for the MP3
// encoder's overshoot, which clips at full scale.
constexpr int targetPeak = 16384;

QByteArray run(const QString& program, const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.start();
    if (!process.waitForStarted(toolTimeoutMs))
        throw EFOpenError(QStringLiteral("Impossible de lancer %1").arg(program));
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(toolTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw EReadError(QStringLiteral("%1 a échoué : %2")
                             .arg(program, QString::fromLocal8Bit(process.readAllStandardError())));
    return process.readAllStandardOutput();
}

quint32 le32(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

quint16 le16(const QByteArray& bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

void appendLe32(QByteArray& bytes, quint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void appendLe16(QByteArray& bytes, quint16 value) {
    char raw[2];
    qToLittleEndian(value, raw);
    bytes.append(raw, 2);
}

QByteArray wavOf(const QByteArray& samples, quint32 rate) {
    QByteArray wav;
    wav.reserve(wavHeaderSize + samples.size());
    wav.append("RIFF");
    appendLe32(wav, quint32(36 + samples.size()));
    wav.append("WAVEfmt ");
    appendLe32(wav, 16);
    appendLe16(wav, 1); // PCM
    appendLe16(wav, 1); // mono
    appendLe32(wav, rate);
    appendLe32(wav, rate * 2);
    appendLe16(wav, 2);
    appendLe16(wav, 16);
    wav.append("data");
    appendLe32(wav, quint32(samples.size()));
    wav.append(samples);
    return wav;
}

} // namespace

void Voice::checkTools() {
    for (const QString& tool : {speaker, encoder})
        if (QStandardPaths::findExecutable(tool).isEmpty())
            throw EFOpenError(QStringLiteral("Programme introuvable : %1").arg(tool));
}

QByteArray Voice::levelled(const QByteArray& samples) {
    const qsizetype count = samples.size() / 2;
    const auto sample = [&](qsizetype i) {
        return int(qFromLittleEndian<qint16>(samples.constData() + 2 * i));
    };
    int peak = 0;
    for (qsizetype i = 0; i < count; ++i)
        peak = std::max(peak, std::abs(sample(i)));
    if (peak == 0)
        return samples;
    QByteArray result(samples.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        qToLittleEndian(qint16(qint64(sample(i)) * targetPeak / peak), result.data() + 2 * i);
    return result;
}

QByteArray Voice::trimSilence(const QByteArray& wav) {
    const auto bad = [] {
        return EReadError(QStringLiteral("Voix illisible : WAV mono 16 bits attendu"));
    };
    if (wav.size() < 12 || !wav.startsWith("RIFF") || wav.mid(8, 4) != "WAVE")
        throw bad();
    // espeak-ng writes its header before it knows the length, so the data runs to the end.
    quint32 rate = 0;
    qsizetype at = 12;
    while (at + 8 <= wav.size()) {
        const QByteArray id = wav.mid(at, 4);
        const quint32 size = le32(wav, at + 4);
        if (id == "fmt " && at + 24 <= wav.size()) {
            if (le16(wav, at + 8) != 1 || le16(wav, at + 10) != 1 || le16(wav, at + 22) != 16)
                throw bad();
            rate = le32(wav, at + 12);
        } else if (id == "data") {
            break;
        }
        at += 8 + qsizetype(size) + (size & 1);
    }
    if (rate == 0 || at + 8 > wav.size())
        throw bad();
    const QByteArray samples = wav.mid(at + 8);
    const qsizetype count = samples.size() / 2;
    const auto loud = [&](qsizetype i) {
        return std::abs(int(qFromLittleEndian<qint16>(samples.constData() + 2 * i))) >
               silenceThreshold;
    };
    qsizetype first = 0;
    while (first < count && !loud(first))
        ++first;
    qsizetype last = count - 1;
    while (last > first && !loud(last))
        --last;
    if (first >= count)
        return wavOf({}, rate);
    first = std::max<qsizetype>(0, first - rate * leadMarginMs / 1000);
    last = std::min<qsizetype>(count - 1, last + rate * tailMarginMs / 1000);
    return wavOf(levelled(samples.mid(2 * first, 2 * (last - first + 1))), rate);
}

void Voice::record(const QString& text, const QString& mp3Path) const {
    QStringList speak = speakerArguments;
    speak << QStringLiteral("--stdout") << respeller_.respell(text);
    const QByteArray wav = trimSilence(run(speaker, speak, {}));
    run(encoder, encoderArguments + QStringList{mp3Path}, wav);
}

QString Voice::phonemes(const QString& text) const {
    QStringList speak = speakerArguments;
    speak << QStringLiteral("-q") << QStringLiteral("--ipa") << respeller_.respell(text);
    return QString::fromUtf8(run(speaker, speak, {})).simplified();
}

} // namespace assetgen
