// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Rows are matched by their keyword and number; everything else in a file is the file's own
// layout, kept from the lowest file that has it.
#include "assets/TextLayers.h"

#include "assets/Catalogue.h"
#include "assets/TextsReader.h"
#include "base/Errors.h"

#include <QDir>
#include <QFileInfo>

namespace content {

namespace {

const QStringList rowKeywords{QStringLiteral("family"), QStringLiteral("card"),
                              QStringLiteral("phrase"), QStringLiteral("page")};

bool isLayout(const QString& line) {
    const QString trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'));
}

// Where the row opened at lines[start] ends: at the next row, before the notes and blank lines
// that come last.
std::pair<std::size_t, std::size_t> extent(const TextLayers::Lines& lines, std::size_t start) {
    std::size_t end = start + 1;
    while (end < lines.size() && TextLayers::rowOf(lines[end].text).isEmpty())
        ++end;
    std::size_t last = end;
    while (last > start + 1 && isLayout(lines[last - 1].text))
        --last;
    return {last, end};
}

} // namespace

const QString TextLayers::baseLink = QStringLiteral("base");

QString TextLayers::rowOf(const QString& line) {
    const QStringList words = line.simplified().split(QLatin1Char(' '));
    if (words.size() < 2 || !rowKeywords.contains(words[0]))
        return {};
    // "card 012" is card 12, as the parser reads it.
    bool number = false;
    const int value = words[1].toInt(&number);
    return words[0] + QLatin1Char(' ') + (number ? QString::number(value) : words[1]);
}

std::vector<std::pair<QString, QStringList>> TextLayers::rowsOf(const QString& text) {
    std::vector<std::pair<QString, QStringList>> rows;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (const QString row = rowOf(line); !row.isEmpty())
            rows.push_back({row, {}});
        if (!rows.empty())
            rows.back().second << line;
    }
    for (auto& [row, lines] : rows)
        while (lines.size() > 1 && isLayout(lines.constLast()))
            lines.removeLast();
    return rows;
}

QStringList TextLayers::folders(const QString& root) {
    QStringList found;
    QStringList seen;
    QString folder = root == QLatin1String(".") ? catalogue::textsFolder
                                                : root + QLatin1Char('/') + catalogue::textsFolder;
    for (int depth = 0; depth <= deepest; ++depth) {
        const QFileInfo info(folder);
        const QString real = info.canonicalFilePath();
        if (!info.isDir() || seen.contains(real))
            break;
        seen << real;
        found << folder;
        folder += QLatin1Char('/') + baseLink;
    }
    return found;
}

TextLayers::Lines TextLayers::embedded(const QString& name) {
    Lines lines;
    lay(lines, TextsReader::readFile(QStringLiteral(":/texts/") + name, name), name);
    return lines;
}

void TextLayers::lay(Lines& lines, const QString& text, const QString& file,
                     QStringList* problems) {
    if (lines.empty()) {
        const QStringList all = text.split(QLatin1Char('\n'));
        for (int i = 0; i < all.size(); ++i)
            lines.push_back({all[i], file, i + 1});
        return;
    }
    int number = 0;
    Lines row;
    QStringList placed;
    const auto place = [&lines, &row, &placed, problems] {
        if (row.empty())
            return;
        while (row.size() > 1 && isLayout(row.back().text))
            row.pop_back();
        const QString key = rowOf(row.front().text);
        if (placed.contains(key)) {
            if (problems)
                *problems << QStringLiteral("%1, linha %2 : « %3 » es ja donat mai naut")
                                 .arg(row.front().file)
                                 .arg(row.front().number)
                                 .arg(key);
            row.clear();
            return;
        }
        placed << key;
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (rowOf(lines[i].text) == key) {
                const auto [last, end] = extent(lines, i);
                lines.erase(lines.begin() + std::ptrdiff_t(i),
                            lines.begin() + std::ptrdiff_t(last));
                lines.insert(lines.begin() + std::ptrdiff_t(i), row.begin(), row.end());
                row.clear();
                return;
            }
        lines.insert(lines.end(), row.begin(), row.end());
        row.clear();
    };
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        ++number;
        if (!rowOf(line).isEmpty())
            place();
        if (!row.empty() || !rowOf(line).isEmpty())
            row.push_back({line, file, number});
    }
    place();
}

TextLayers::Lines TextLayers::read(const QStringList& folders, const QString& name,
                                   QStringList* problems) {
    Lines lines = embedded(name);
    for (auto folder = folders.crbegin(); folder != folders.crend(); ++folder) {
        const QString path = *folder + QLatin1Char('/') + name;
        if (!QFileInfo::exists(path))
            continue;
        try {
            lay(lines, TextsReader::readFile(path, path), path, problems);
        } catch (const Exception& error) {
            if (!problems)
                throw;
            *problems << error.message();
        }
    }
    return lines;
}

QString TextLayers::textOf(const Lines& lines) {
    QStringList text;
    for (const Line& line : lines)
        text << line.text;
    return text.join(QLatin1Char('\n'));
}

} // namespace content
