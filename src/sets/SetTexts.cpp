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
#include <algorithm>

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

// The first lines of a file of the rows a set changed.
const QString familiesHeader = QStringLiteral(
    "# The words this set changed, in the format of the default set's familles.txt;\n"
    "# every other family and card is read from the set it is based on.\n");
const QString albumHeader =
    QStringLiteral("# The pages this set changed, in the format of the default set's album.txt;\n"
                   "# every other page is read from the set it is based on.\n");

content::TextLayers::Lines laid(content::TextLayers::Lines below, const QString& own,
                                const QString& name) {
    content::TextLayers::lay(below, own, catalogue::textName(name));
    return below;
}

bool hasRow(const QString& text, const QString& row) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    return std::any_of(lines.begin(), lines.end(), [&row](const QString& line) {
        return content::TextLayers::rowOf(line) == row;
    });
}

// The text with the row as the lines below give it at its end, when it has not that row yet.
QString withRow(const QString& text, const content::TextLayers::Lines& below, const QString& row,
                const QString& header) {
    if (hasRow(text, row))
        return text;
    const QStringList lines = content::TextLayers::rowIn(below, row);
    if (lines.isEmpty())
        return text;
    QString with = text.isEmpty() ? header : text;
    if (!with.endsWith(QLatin1Char('\n')))
        with += QLatin1Char('\n');
    return with + lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString withoutRow(const QString& text, const QString& row) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        if (content::TextLayers::rowOf(lines[i]) != row)
            continue;
        int end = i + 1;
        while (end < lines.size() && content::TextLayers::rowOf(lines[end]).isEmpty() &&
               !lines[end].trimmed().isEmpty() &&
               !lines[end].trimmed().startsWith(QLatin1Char('#')))
            ++end;
        lines.erase(lines.begin() + i, lines.begin() + end);
        --i;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace

SetTexts SetTexts::load(const QString& set) {
    const QStringList folders = content::TextLayers::folders(set);
    const QStringList below = folders.mid(1);
    const QString own = set + QLatin1Char('/') + setarchive::textsFolder + QLatin1Char('/');
    const auto read = [&own](const QString& name) {
        return QFileInfo::exists(own + name) ? content::TextsReader::readBytes(own + name)
                                             : QByteArray();
    };
    SetTexts texts = fromBytes(read(familiesText), read(albumText), read(voiceMarksText));
    texts.familiesBelow_ = content::TextLayers::read(below, familiesText, nullptr);
    texts.albumBelow_ = content::TextLayers::read(below, albumText, nullptr);
    return texts;
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
    texts.familiesBelow_ = content::TextLayers::embedded(familiesText);
    texts.albumBelow_ = content::TextLayers::embedded(albumText);
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

QString SetTexts::families() const {
    return content::TextLayers::textOf(laid(familiesBelow_, families_, familiesText));
}

QString SetTexts::album() const {
    return content::TextLayers::textOf(laid(albumBelow_, album_, albumText));
}

content::Content SetTexts::content() const {
    return {content::ContentReader::parseFamilies(laid(familiesBelow_, families_, familiesText),
                                                  catalogue::textName(familiesText)),
            content::ContentReader::parsePages(laid(albumBelow_, album_, albumText),
                                               catalogue::textName(albumText))};
}

QString SetTexts::rowOfWord(int number) {
    return (number - 1) % 8 == 0 ? QStringLiteral("family %1").arg((number - 1) / 8 + 1)
                                 : QStringLiteral("card %1").arg(number);
}

bool SetTexts::hasOwnWord(int number) const {
    return hasRow(families_, rowOfWord(number));
}

bool SetTexts::hasOwnPage(int page) const {
    return hasRow(album_, QStringLiteral("page %1").arg(page));
}

void SetTexts::dropWord(int number) {
    families_ = withoutRow(families_, rowOfWord(number));
}

void SetTexts::dropPage(int page) {
    album_ = withoutRow(album_, QStringLiteral("page %1").arg(page));
}

QString SetTexts::setWord(int number, const QString& text) {
    const QString word = checkedText(text, content::TextsReader::longestWord);
    const QString ownBefore = families_;
    if (number >= 1 && number <= catalogue::lastCardNumber)
        families_ = withRow(families_, familiesBelow_, rowOfWord(number), familiesHeader);
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
        families_ = lines.join(QLatin1Char('\n'));
        try {
            content::ContentReader::parseFamilies(laid(familiesBelow_, families_, familiesText),
                                                  catalogue::textName(familiesText));
        } catch (...) {
            families_ = ownBefore;
            throw;
        }
        return old;
    }
    families_ = ownBefore;
    throw SetRefused(QStringLiteral("Lo numèro %1 es pas un mot del jòc").arg(number));
}

QString SetTexts::setPage(int page, const QString& text) {
    const QString words = checkedText(text, content::TextsReader::longestPage);
    const QString ownBefore = album_;
    album_ = withRow(album_, albumBelow_, QStringLiteral("page %1").arg(page), albumHeader);
    QStringList lines = album_.split(QLatin1Char('\n'));
    int start = -1;
    for (int i = 0; i < lines.size() && start < 0; ++i)
        if (opens(lines[i], QStringLiteral("page"), page))
            start = i;
    if (start < 0) {
        album_ = ownBefore;
        throw SetRefused(QStringLiteral("La pagina %1 es pas dins l'album").arg(page));
    }
    int end = start + 1;
    while (end < lines.size() && !lines[end].simplified().startsWith(QLatin1String("page ")))
        ++end;
    // The narration is the title, or the text on a page with no title: what the voice reads.
    int at = -1;
    for (const QString& keyword : {QStringLiteral("title "), QStringLiteral("text ")})
        for (int i = start + 1; i < end && at < 0; ++i)
            if (lines[i].simplified().startsWith(keyword))
                at = i;
    if (at < 0) {
        album_ = ownBefore;
        throw SetRefused(QStringLiteral("La pagina %1 a pas de tèxte").arg(page));
    }
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

QStringList SetTexts::carried(const QString& set) {
    QStringList names;
    const QStringList layers = content::TextLayers::folders(set);
    for (const QString& file : {familiesText, albumText, voiceMarksText, catalogue::phrasesText})
        for (const QString& folder : file == voiceMarksText ? layers.mid(0, 1) : layers)
            if (QFileInfo(folder + QLatin1Char('/') + file).isFile()) {
                names << catalogue::textName(file);
                break;
            }
    return names;
}

QByteArray SetTexts::carriedBytes(const QString& set, const QString& name) {
    const QString file = name.section(QLatin1Char('/'), 1);
    if (file == voiceMarksText)
        return safewrite::read(set + QLatin1Char('/') + name);
    return content::TextLayers::textOf(
               content::TextLayers::read(content::TextLayers::folders(set), file, nullptr))
        .toUtf8();
}

void SetTexts::save(const QString& set) const {
    const QString folder = set + QLatin1Char('/') + setarchive::textsFolder;
    if (QFileInfo(folder).isSymLink() || !QDir().mkpath(folder))
        throw SetRefused(QStringLiteral("Impossible d'escriure dins %1").arg(folder));
    for (const auto& [name, bytes] : files())
        safewrite::write(set + QLatin1Char('/') + name, bytes);
}
