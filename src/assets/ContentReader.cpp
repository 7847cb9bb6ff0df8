// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The line formats of familles.txt and album.txt, and the checks on what they hold.
#include "assets/ContentReader.h"

#include "assets/Catalogue.h"
#include "assets/ContentLine.h"
#include "assets/TextsReader.h"
#include "base/Errors.h"

#include <QDir>
#include <functional>

namespace content {

namespace {

constexpr int pageWidth = 800;
constexpr int pageHeight = 527;

using Line = ContentLine;

Pictogram toPictogram(const Line& line, const QString& field) {
    const QStringList words = field.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    Pictogram picture;
    const QString kind = words.value(0);
    if (kind == QLatin1String("emoji")) {
        if (words.size() < 2)
            line.fail(QStringLiteral("« emoji » sens punt de còde"));
        picture.emoji = line.toEmoji(words.mid(1));
    } else if (kind == QLatin1String("calendar")) {
        picture.kind = Pictogram::Kind::Calendar;
        picture.day = line.toInt(words.value(1), 1, 7, "jorn");
        picture.emoji = line.toEmoji(words.mid(2));
    } else if (kind == QLatin1String("splash")) {
        picture.kind = Pictogram::Kind::Splash;
        picture.colour = line.toColour(words.value(1));
        picture.emoji = line.toEmoji(words.mid(2));
    } else {
        line.fail(QStringLiteral("imatge desconegut « %1 » (emoji, calendar o splash)").arg(kind));
    }
    return picture;
}

QString spokenField(const Line& line, const QStringList& fields, int index) {
    if (fields.size() <= index)
        return {};
    const QString field = fields[index];
    if (!field.startsWith(QLatin1String("say ")) || field.mid(4).trimmed().isEmpty())
        line.fail(QStringLiteral("camp « say <tèxt> » esperat, trobat « %1 »").arg(field));
    return field.mid(4).trimmed();
}

// A problem of a whole file, or of one line when problems collects them and the reading goes on.
void report(const EReadError& error, QStringList* problems) {
    if (!problems)
        throw error;
    *problems << error.message();
}

// Reads each line of a texts file with readLine; a line that cannot be read is reported and costs
// only itself, but for a line opening a family (or a page): the lines after it, up to the next
// opening, are left with it.
void readEachLine(const std::vector<Line>& lines, QStringList* problems, QLatin1String opener,
                  const std::function<void(const Line&)>& readLine) {
    bool damaged = false;
    for (const Line& line : lines) {
        if (line.keyword() == opener)
            damaged = false;
        if (damaged)
            continue;
        try {
            readLine(line);
        } catch (const EReadError& error) {
            report(error, problems);
            damaged = line.keyword() == opener;
        }
    }
}

// strict: each family and card in its place; otherwise one left out leaves a gap.
void readFamilyLine(const Line& line, std::vector<Family>& families, bool strict) {
    const QString keyword = line.keyword();
    if (keyword == QLatin1String("family")) {
        const QStringList fields = line.fields(3, 4);
        const int index = line.toInt(fields[0], 1, catalogue::familyCount, "numèro de familha");
        const int expected = families.empty() ? 1 : families.back().index + 1;
        if (index < expected || (strict && index != expected))
            line.fail(QStringLiteral("familha %1 esperada aicí").arg(expected));
        families.push_back({index,
                            line.checkedText(fields[1], TextsReader::longestWord),
                            line.toColour(fields[2]),
                            spokenField(line, fields, 3),
                            {}});
    } else if (keyword == QLatin1String("card")) {
        if (families.empty())
            line.fail(QStringLiteral("carta abans la primièra familha"));
        Family& family = families.back();
        const QStringList fields = line.fields(3, 4);
        if (family.cards.size() == catalogue::cardsPerFamily)
            line.fail(QStringLiteral("mai de %1 cartas dins la familha %2")
                          .arg(catalogue::cardsPerFamily)
                          .arg(family.index));
        const int number = line.toInt(fields[0], 1, catalogue::lastCardNumber, "numèro de carta");
        const int next = family.cards.empty() ? catalogue::cardNumber(family.index, 1)
                                              : family.cards.back().number + 1;
        if (number < next || (strict && number != next) ||
            number > catalogue::cardNumber(family.index, catalogue::cardsPerFamily))
            line.fail(QStringLiteral("carta %1 esperada aicí").arg(next));
        family.cards.push_back({number, line.checkedText(fields[1], TextsReader::longestWord),
                                toPictogram(line, fields[2]), spokenField(line, fields, 3)});
    } else {
        line.fail(QStringLiteral("mot clau desconegut « %1 » (family o card)").arg(keyword));
    }
}

} // namespace

std::vector<Family> ContentReader::parseFamilies(const QString& text, const QString& fileName,
                                                 QStringList* problems) {
    return families(ContentLine::linesOf(text, fileName), fileName, problems);
}

std::vector<Family> ContentReader::parseFamilies(const TextLayers::Lines& layered,
                                                 const QString& fileName, QStringList* problems) {
    return families(ContentLine::linesOf(layered), fileName, problems);
}

std::vector<Family> ContentReader::families(const std::vector<ContentLine>& lines,
                                            const QString& fileName, QStringList* problems) {
    std::vector<Family> families;
    readEachLine(lines, problems, QLatin1String("family"),
                 [&](const Line& line) { readFamilyLine(line, families, !problems); });
    if (families.size() != catalogue::familyCount)
        report(EReadError(QStringLiteral("%1 : %2 familhas en plaça de %3")
                              .arg(fileName)
                              .arg(families.size())
                              .arg(catalogue::familyCount)),
               problems);
    for (const Family& family : families)
        if (family.cards.size() != catalogue::cardsPerFamily)
            report(EReadError(QStringLiteral("%1 : la familha %2 a %3 cartas en plaça de %4")
                                  .arg(fileName)
                                  .arg(family.index)
                                  .arg(family.cards.size())
                                  .arg(catalogue::cardsPerFamily)),
                   problems);
    return families;
}

namespace {

AlbumPage::Sky toSky(const Line& line) {
    static const std::pair<const char*, AlbumPage::Sky> skies[] = {
        {"dawn", AlbumPage::Sky::Dawn},
        {"day", AlbumPage::Sky::Day},
        {"evening", AlbumPage::Sky::Evening},
        {"night", AlbumPage::Sky::Night},
        {"storm", AlbumPage::Sky::Storm}};
    for (const auto& [name, sky] : skies)
        if (line.rest() == QLatin1String(name))
            return sky;
    line.fail(QStringLiteral("cèl desconegut « %1 » (dawn, day, evening, night, storm)")
                  .arg(line.rest()));
}

SceneItem toItem(const Line& line, bool pool) {
    QStringList words = line.rest().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 4)
        line.fail(QStringLiteral("posicion, talha e dessenh esperats"));
    SceneItem item;
    item.centre =
        QPointF(line.toInt(words[0], 0, pageWidth, "x"), line.toInt(words[1], 0, pageHeight, "y"));
    item.size = line.toInt(words[2], 1, pageWidth, "talha");
    if (pool) {
        if (words.size() != 4)
            line.fail(QStringLiteral("« pool <x> <y> <largor> <#RRVVBB> » esperat"));
        item.kind = SceneItem::Kind::Pool;
        item.colour = line.toColour(words[3]);
        return item;
    }
    if (words.last() == QLatin1String("flip")) {
        item.flipped = true;
        words.removeLast();
    }
    if (words.size() < 4)
        line.fail(QStringLiteral("« put » sens punt de còde"));
    item.emoji = line.toEmoji(words.mid(3));
    return item;
}

void addToPage(AlbumPage& page, const Line& line) {
    const QString keyword = line.keyword();
    auto setOnce = [&line](QString& field) {
        if (!field.isEmpty())
            line.fail(QStringLiteral("« %1 » ja donat per aquesta pagina").arg(line.keyword()));
        if (line.rest().isEmpty())
            line.fail(QStringLiteral("tèxt void"));
        field = line.rest();
    };
    if (keyword == QLatin1String("sky"))
        page.sky = toSky(line);
    else if (keyword == QLatin1String("rainbow") && line.rest().isEmpty())
        page.rainbow = true;
    else if (keyword == QLatin1String("put") || keyword == QLatin1String("pool"))
        page.items.push_back(toItem(line, keyword == QLatin1String("pool")));
    else if (keyword == QLatin1String("title") || keyword == QLatin1String("text")) {
        setOnce(keyword == QLatin1String("title") ? page.title : page.text);
        line.checkedText(line.rest(), TextsReader::longestPage);
    } else if (keyword == QLatin1String("say"))
        setOnce(page.spoken);
    else
        line.fail(QStringLiteral("mot clau desconegut « %1 »").arg(keyword));
}

void readPageLine(const Line& line, std::vector<AlbumPage>& pages, bool strict) {
    if (line.keyword() == QLatin1String("page")) {
        const int number =
            line.toInt(line.rest(), 1, catalogue::albumPageCount, "numèro de pagina");
        const int expected = pages.empty() ? 1 : pages.back().number + 1;
        if (number < expected || (strict && number != expected))
            line.fail(QStringLiteral("pagina %1 esperada aicí").arg(expected));
        pages.push_back({});
        pages.back().number = number;
    } else if (pages.empty()) {
        line.fail(QStringLiteral("« page <numèro> » esperat abans « %1 »").arg(line.keyword()));
    } else {
        addToPage(pages.back(), line);
    }
}

} // namespace

std::vector<AlbumPage> ContentReader::parsePages(const QString& text, const QString& fileName,
                                                 QStringList* problems) {
    return pages(ContentLine::linesOf(text, fileName), fileName, problems);
}

std::vector<AlbumPage> ContentReader::parsePages(const TextLayers::Lines& layered,
                                                 const QString& fileName, QStringList* problems) {
    return pages(ContentLine::linesOf(layered), fileName, problems);
}

std::vector<AlbumPage> ContentReader::pages(const std::vector<ContentLine>& lines,
                                            const QString& fileName, QStringList* problems) {
    std::vector<AlbumPage> pages;
    readEachLine(lines, problems, QLatin1String("page"),
                 [&](const Line& line) { readPageLine(line, pages, !problems); });
    if (pages.size() != catalogue::albumPageCount)
        report(EReadError(QStringLiteral("%1 : %2 paginas en plaça de %3")
                              .arg(fileName)
                              .arg(pages.size())
                              .arg(catalogue::albumPageCount)),
               problems);
    for (const AlbumPage& page : pages)
        if (page.narration().isEmpty())
            report(EReadError(QStringLiteral("%1 : la pagina %2 a pas ni títol ni tèxt")
                                  .arg(fileName)
                                  .arg(page.number)),
                   problems);
    return pages;
}

QString ContentReader::readTextFile(const QString& path) {
    return TextsReader::readFile(path, path);
}

std::vector<std::pair<QString, QString>> ContentReader::spokenTexts(const Content& content) {
    const auto either = [](const QString& spoken, const QString& written) {
        return spoken.isEmpty() ? written : spoken;
    };
    std::vector<std::pair<QString, QString>> texts;
    for (const AlbumPage& page : content.pages)
        texts.emplace_back(catalogue::albumNarration(page.number),
                           either(page.spoken, page.narration()));
    for (const Family& family : content.families) {
        texts.emplace_back(catalogue::cardSound(catalogue::titleNumber(family.index)),
                           either(family.spoken, family.name));
        for (const Card& card : family.cards)
            texts.emplace_back(catalogue::cardSound(card.number), either(card.spoken, card.word));
    }
    return texts;
}

Content ContentReader::read(const QString& dataDir) {
    const QDir dir(dataDir);
    Content content;
    using catalogue::albumText;
    using catalogue::familiesText;
    content.families = parseFamilies(readTextFile(dir.filePath(familiesText)), familiesText);
    content.pages = parsePages(readTextFile(dir.filePath(albumText)), albumText);
    return content;
}

} // namespace content
