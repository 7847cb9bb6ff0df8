// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one reader of frasas.txt, and the defaults behind a set's phrases.
#include "assets/PhraseTexts.h"

#include "assets/ContentReader.h"
#include "assets/TextLayers.h"
#include "base/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcPhrases, "mirabosc.texts", QtWarningMsg)

const QString keyword = QStringLiteral("phrase");
const QString sayPrefix = QStringLiteral("say ");
const char* const defaultSetVariable = "MIRABOSC_DEFAULT_SET";
// Far more than any class writes; a larger file is not one of ours.
constexpr qint64 maxPhraseBytes = 1 << 16;

[[noreturn]] void failAt(const QString& file, int line, const QString& why) {
    throw EReadError(QStringLiteral("%1, linha %2 : %3").arg(file).arg(line).arg(why));
}

} // namespace

PhraseTexts PhraseTexts::parse(const QString& text, const QString& fileName) {
    PhraseTexts phrases;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].simplified();
        const int number = i + 1;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.section(QLatin1Char(' '), 0, 0) != keyword)
            failAt(fileName, number, QStringLiteral("« phrase <numèro> | <tèxt> » esperat"));
        QStringList fields = line.section(QLatin1Char(' '), 1).split(QLatin1Char('|'));
        for (QString& field : fields)
            field = field.trimmed();
        if (fields.size() < 2 || fields.size() > 3 || fields.contains(QString()))
            failAt(fileName, number, QStringLiteral("2 o 3 camps separats per « | » esperats"));
        bool ok = false;
        const int phrase = fields[0].toInt(&ok);
        if (!ok || phrase < 1 || phrase > catalogue::phraseCount)
            failAt(fileName, number,
                   QStringLiteral("numèro de frasa esperat entre 1 e %1, trobat « %2 »")
                       .arg(catalogue::phraseCount)
                       .arg(fields[0]));
        const size_t at = size_t(phrase - 1);
        if (!phrases.texts_[at].isEmpty())
            failAt(fileName, number, QStringLiteral("la frasa %1 es ja donada").arg(phrase));
        if (fields.size() == 3 && (!fields[2].startsWith(sayPrefix) ||
                                   fields[2].mid(sayPrefix.size()).trimmed().isEmpty()))
            failAt(fileName, number, QStringLiteral("camp « say <tèxt> » esperat"));
        phrases.texts_[at] = fields[1];
        if (fields.size() == 3)
            phrases.spoken_[at] = fields[2].mid(sayPrefix.size()).trimmed();
    }
    return phrases;
}

PhraseTexts PhraseTexts::embedded() {
    QFile file(QStringLiteral(":/texts/") + catalogue::phrasesText);
    const QString text =
        file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    return parse(text, catalogue::phrasesText);
}

const PhraseTexts& PhraseTexts::defaultSet() {
    static const PhraseTexts phrases = embedded();
    return phrases;
}

PhraseTexts PhraseTexts::ofCurrentSet() {
    return ofSet(QStringLiteral("."));
}

PhraseTexts PhraseTexts::ofSet(const QString& root) {
    PhraseTexts phrases = defaultSet();
    // The set's own phrases over those of the sets it is based on, each file by itself.
    const QStringList folders = content::TextLayers::folders(root);
    for (auto folder = folders.crbegin(); folder != folders.crend(); ++folder) {
        const QFileInfo info(*folder + QLatin1Char('/') + catalogue::phrasesText);
        if (!info.exists())
            continue;
        try {
            // Only a plain file of a sensible size is read: a FIFO or a device would hold the
            // game.
            if (!info.isFile() || info.size() > maxPhraseBytes)
                throw EFOpenError(
                    QStringLiteral("%1 : pas un fichier de textes").arg(info.filePath()));
            const PhraseTexts own = parse(content::ContentReader::readTextFile(info.filePath()),
                                          catalogue::phrasesText);
            for (size_t i = 0; i < own.texts_.size(); ++i)
                if (!own.texts_[i].isEmpty()) {
                    phrases.texts_[i] = own.texts_[i];
                    phrases.spoken_[i] = own.spoken_[i];
                }
        } catch (const Exception& error) {
            qCInfo(lcPhrases).noquote() << "frasas del jòc ignoradas :" << error.message();
        }
    }
    return phrases;
}

QString PhraseTexts::spoken(catalogue::Phrase phrase) const {
    const QString& said = spoken_.at(index(phrase));
    return said.isEmpty() ? text(phrase) : said;
}

QString PhraseTexts::voiceFile(catalogue::Phrase phrase) {
    const QString own = catalogue::phraseVoice(phrase);
    if (QFileInfo::exists(catalogue::toNativeRelative(own)))
        return own;
    const QString defaults = qEnvironmentVariable(defaultSetVariable);
    if (QDir::isAbsolutePath(defaults)) {
        const QString file = QDir(defaults).filePath(catalogue::slashed(own));
        if (QFileInfo(file).isFile())
            return file;
    }
    return own;
}
