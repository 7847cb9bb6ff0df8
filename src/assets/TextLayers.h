// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A set's text file as every reader sees it: the default set's, then each set it is based on,
// then its own, each row (a family, a card, a page, a phrase) from the topmost file giving it.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace content {

class TextLayers {
public:
    // Under a set's textes/, the link to the textes/ of the set it is based on; none when that
    // set is the installed one, whose texts are the program's own.
    static const QString baseLink;
    // Sets built on sets built on sets: no more are followed (a loop of links ends here too).
    static constexpr int deepest = 4;

    // One line of the layered text and the file and line it comes from.
    struct Line {
        QString text;
        QString file;
        int number = 0;
    };
    using Lines = std::vector<Line>;

    // The textes/ folders a set at root reads, its own first, then its base's and theirs.
    static QStringList folders(const QString& root);
    // The default set's file of that name ("familles.txt"), as the program holds it.
    static Lines embedded(const QString& name);
    // text laid over lines: each of its rows replaces the same row of lines, whose notes and
    // blank lines after it stay; a row lines lack is added at their end. A row is a line
    // "family N", "card N", "phrase N" or "page N" and the lines after it up to the next row. A
    // row text gives twice counts once, the first time, as every writer changes the first; the
    // second is named in problems.
    static void lay(Lines& lines, const QString& text, const QString& file,
                    QStringList* problems = nullptr);
    // The file name read through folders, the deepest first, over the default set's. A file that
    // cannot be read is named in problems and left out; without problems, it throws.
    static Lines read(const QStringList& folders, const QString& name, QStringList* problems);
    static QString textOf(const Lines& lines);

    // The row a line opens ("card 12"), or an empty string for any other line.
    static QString rowOf(const QString& line);
    // The lines of a row in laid lines, but the notes and blank lines after it; none when absent.
    static QStringList rowIn(const Lines& lines, const QString& row);
};

} // namespace content
