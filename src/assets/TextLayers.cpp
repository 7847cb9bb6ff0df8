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
#include <QHash>

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

QStringList TextLayers::rowIn(const Lines& lines, const QString& row) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (rowOf(lines[i].text) == row) {
            QStringList found;
            for (std::size_t at = i; at < extent(lines, i).first; ++at)
                found << lines[at].text;
            return found;
        }
    return {};
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
    // Read once: every reader of every set starts from them.
    static const QHash<QString, Lines> files = [] {
        QHash<QString, Lines> read;
        for (const QString& file :
             {catalogue::familiesText, catalogue::albumText, catalogue::phrasesText}) {
            Lines lines;
            lay(lines, TextsReader::readFile(QStringLiteral(":/texts/") + file, file), file);
            read.insert(file, lines);
        }
        return read;
    }();
    return files.value(name);
}

void TextLayers::lay(Lines& lines, const QString& text, const QString& file,
                     QStringList* problems) {
    const QStringList all = text.split(QLatin1Char('\n'));
    if (lines.empty()) {
        for (int i = 0; i < all.size(); ++i)
            lines.push_back({all[i], file, i + 1});
        return;
    }
    // The rows text gives, the first of each kept, with their lines but the layout that ends them.
    QHash<QString, Lines> rows;
    QStringList order;
    QString key;
    for (int i = 0; i < all.size(); ++i) {
        if (const QString row = rowOf(all[i]); !row.isEmpty()) {
            key = rows.contains(row) ? QString() : row;
            if (key.isEmpty() && problems)
                *problems << QStringLiteral("%1, linha %2 : « %3 » es ja donat mai naut")
                                 .arg(file)
                                 .arg(i + 1)
                                 .arg(row);
            if (!key.isEmpty())
                order << key;
        }
        if (!key.isEmpty())
            rows[key].push_back({all[i], file, i + 1});
    }
    for (Lines& row : rows)
        while (row.size() > 1 && isLayout(row.back().text))
            row.pop_back();
    // One walk through lines: each row text gives takes the place of the same row there.
    Lines laid;
    for (std::size_t i = 0; i < lines.size();) {
        const QString row = rowOf(lines[i].text);
        const auto found = rows.constFind(row);
        if (row.isEmpty() || found == rows.constEnd()) {
            laid.push_back(lines[i++]);
            continue;
        }
        const auto [last, end] = extent(lines, i);
        laid.insert(laid.end(), found->begin(), found->end());
        laid.insert(laid.end(), lines.begin() + std::ptrdiff_t(last),
                    lines.begin() + std::ptrdiff_t(end));
        rows.remove(row);
        i = end;
    }
    for (const QString& row : order)
        if (const auto left = rows.constFind(row); left != rows.constEnd())
            laid.insert(laid.end(), left->begin(), left->end());
    lines = std::move(laid);
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
