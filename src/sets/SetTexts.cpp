// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Words are changed line by line in the files' own text, so that comments and pictograms stay
// as the teacher or the default set wrote them; each change is checked by the parser.
#include "sets/SetTexts.h"

#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "assets/TextsReader.h"
#include "base/Errors.h"
#include "sets/SafeWrite.h"
#include "sets/SetArchive.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

using catalogue::albumText;
using catalogue::familiesText;
using catalogue::voiceMarksText;
const QString separator = QStringLiteral(" | ");
const QString syntheticMark = QStringLiteral("sintetica");
const QString oldMark = QStringLiteral("ditz");

// The set's rules on words, as every reader of its texts applies them.
QString checkedText(const QString& text, int longest) {
    if (const QString problem = content::TextsReader::problemOf(text, longest); !problem.isEmpty())
        throw SetRefused(QStringLiteral("Mot refusat : %1").arg(problem));
    return text.simplified();
}

// The first word of a line and the number after it, as "card 12 | ..." gives "card", 12.
bool opens(const QString& line, const QString& keyword, int number) {
    const QStringList words = line.simplified().split(QLatin1Char(' '));
    return words.size() >= 2 && words[0] == keyword && words[1].toInt() == number;
}

} // namespace

SetTexts SetTexts::load(const QString& set, const QString& defaults) {
    const QString own = set + QLatin1Char('/') + setarchive::textsFolder;
    const bool hasOwn = QFileInfo::exists(own + QLatin1Char('/') + familiesText) &&
                        QFileInfo::exists(own + QLatin1Char('/') + albumText);
    const QString from = hasOwn ? own : defaults;
    const auto read = [](const QString& folder, const QString& name) {
        return content::TextsReader::readBytes(folder + QLatin1Char('/') + name);
    };
    return fromBytes(read(from, familiesText), read(from, albumText),
                     QFileInfo::exists(own + QLatin1Char('/') + voiceMarksText)
                         ? read(own, voiceMarksText)
                         : QByteArray());
}

SetTexts SetTexts::fromBytes(const QByteArray& families, const QByteArray& album,
                             const QByteArray& marks) {
    const auto decoded = [](const QByteArray& bytes, const QString& name) {
        return content::TextsReader::decode(bytes, catalogue::textName(name));
    };
    SetTexts texts;
    texts.families_ = decoded(families, familiesText);
    texts.album_ = decoded(album, albumText);
    texts.marks_ = parseMarks(decoded(marks, voiceMarksText));
    return texts;
}

QMap<QString, QString> SetTexts::parseMarks(const QString& text, QStringList* problems) {
    QMap<QString, QString> marks;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        const QStringList fields = lines[i].split(separator);
        if (fields.size() == 2 && fields[1] == syntheticMark)
            marks.insert(fields[0], QString());
        else if (fields.size() == 3 && fields[1] == oldMark)
            marks.insert(fields[0], fields[2]);
        else if (problems)
            *problems << QStringLiteral("%1, linha %2 : marca illegibla")
                             .arg(catalogue::textName(voiceMarksText))
                             .arg(i + 1);
    }
    return marks;
}

content::Content SetTexts::content() const {
    return {content::ContentReader::parseFamilies(families_, familiesText),
            content::ContentReader::parsePages(album_, albumText)};
}

QString SetTexts::setWord(int number, const QString& text) {
    const QString word = checkedText(text, content::TextsReader::longestWord);
    QStringList lines = families_.split(QLatin1Char('\n'));
    const int family = (number - 1) / 8 + 1;
    const bool title = (number - 1) % 8 == 0;
    for (QString& line : lines) {
        if (!opens(line, title ? QStringLiteral("family") : QStringLiteral("card"),
                   title ? family : number))
            continue;
        QStringList fields = line.split(QLatin1Char('|'));
        const QString old = fields.value(1).trimmed();
        // A respelling for the voice was for the old word.
        fields = {fields[0].trimmed(), word, fields.value(2).trimmed()};
        line = fields.join(separator);
        const QString before = families_;
        families_ = lines.join(QLatin1Char('\n'));
        try {
            content::ContentReader::parseFamilies(families_, familiesText);
        } catch (...) {
            families_ = before;
            throw;
        }
        return old;
    }
    throw SetRefused(QStringLiteral("Lo numèro %1 es pas un mot del jòc").arg(number));
}

QString SetTexts::setPage(int page, const QString& text) {
    const QString words = checkedText(text, content::TextsReader::longestPage);
    QStringList lines = album_.split(QLatin1Char('\n'));
    int start = -1;
    for (int i = 0; i < lines.size() && start < 0; ++i)
        if (opens(lines[i], QStringLiteral("page"), page))
            start = i;
    if (start < 0)
        throw SetRefused(QStringLiteral("La pagina %1 es pas dins l'album").arg(page));
    int end = start + 1;
    while (end < lines.size() && !lines[end].simplified().startsWith(QLatin1String("page ")))
        ++end;
    // The narration is the title, or the text on a page with no title: what the voice reads.
    int at = -1;
    for (const QString& keyword : {QStringLiteral("title "), QStringLiteral("text ")})
        for (int i = start + 1; i < end && at < 0; ++i)
            if (lines[i].simplified().startsWith(keyword))
                at = i;
    if (at < 0)
        throw SetRefused(QStringLiteral("La pagina %1 a pas de tèxte").arg(page));
    const QString keyword = lines[at].simplified().section(QLatin1Char(' '), 0, 0);
    const QString old = lines[at].simplified().section(QLatin1Char(' '), 1);
    lines[at] = keyword + QLatin1Char(' ') + words;
    for (int i = end - 1; i > start; --i)
        if (lines[i].simplified().startsWith(QLatin1String("say ")))
            lines.removeAt(i);
    album_ = lines.join(QLatin1Char('\n'));
    return old;
}

QString SetTexts::saysOld(const QString& voiceName) const {
    return marks_.value(voiceName);
}

bool SetTexts::isSynthetic(const QString& voiceName) const {
    return marks_.contains(voiceName) && marks_.value(voiceName).isEmpty();
}

void SetTexts::markOld(const QString& voiceName, const QString& oldText) {
    if (saysOld(voiceName).isEmpty()) // it says the first text it was recorded with
        marks_.insert(voiceName, oldText);
}

void SetTexts::markSynthetic(const QString& voiceName) {
    marks_.insert(voiceName, QString());
}

void SetTexts::clearMark(const QString& voiceName) {
    marks_.remove(voiceName);
}

std::vector<std::pair<QString, QByteArray>> SetTexts::files() const {
    QString marks;
    for (auto mark = marks_.begin(); mark != marks_.end(); ++mark)
        marks += mark.key() + separator +
                 (mark.value().isEmpty() ? syntheticMark : oldMark + separator + mark.value()) +
                 QLatin1Char('\n');
    const QString folder = setarchive::textsFolder + QLatin1Char('/');
    return {{folder + familiesText, families_.toUtf8()},
            {folder + albumText, album_.toUtf8()},
            {folder + voiceMarksText, marks.toUtf8()}};
}

void SetTexts::save(const QString& set) const {
    const QString folder = set + QLatin1Char('/') + setarchive::textsFolder;
    if (QFileInfo(folder).isSymLink() || !QDir().mkpath(folder))
        throw SetRefused(QStringLiteral("Impossible d'escriure dins %1").arg(folder));
    for (const auto& [name, bytes] : files())
        safewrite::write(set + QLatin1Char('/') + name, bytes);
}
