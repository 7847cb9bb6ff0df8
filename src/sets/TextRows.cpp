// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Rows are matched by their keyword and number (a mark by its voice); a file's notes and blank
// lines are its own layout and stay where they are.
#include "sets/TextRows.h"

#include "assets/Catalogue.h"
#include "assets/TextLayers.h"

#include <QStringList>
#include <vector>

namespace {

const QString markSeparator = QStringLiteral(" | "); // as votz.txt writes a mark

// A text's lines before its first row, then its rows in order, each with its lines.
struct Rows {
    QStringList preamble;
    std::vector<std::pair<QString, QStringList>> rows;

    Rows(const QString& text, bool marks) {
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            // A mark is one line, named by its voice; the other texts' rows by their keyword.
            const QString row =
                marks ? (line.trimmed().isEmpty() ? QString()
                                                  : line.section(markSeparator, 0, 0).trimmed())
                      : content::TextLayers::rowOf(line);
            if (!row.isEmpty())
                rows.push_back({row, {}});
            (rows.empty() ? preamble : rows.back().second) << line;
        }
    }
    // A row's lines but the blank lines that end it, which only lay the file out.
    static QStringList meaningful(QStringList lines) {
        while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
            lines.removeLast();
        return lines;
    }
    const QStringList* find(const QString& row) const {
        for (const auto& [key, lines] : rows)
            if (key == row)
                return &lines;
        return nullptr;
    }
};

} // namespace

QByteArray TextRows::withRowsBack(const QString& name, const QByteArray& text,
                                  const QByteArray& before, const QByteArray& after) {
    const bool marks = name == catalogue::voiceMarksText;
    const Rows was(QString::fromUtf8(before), marks), became(QString::fromUtf8(after), marks);
    const Rows now(QString::fromUtf8(text), marks);
    QStringList changed;
    for (const Rows* side : {&was, &became})
        for (const auto& [row, lines] : side->rows) {
            const QStringList* a = was.find(row);
            const QStringList* b = became.find(row);
            if ((!a || !b || Rows::meaningful(*a) != Rows::meaningful(*b)) &&
                !changed.contains(row))
                changed << row;
        }
    // Each row back in its place; the blank lines after it are the file's layout and stay.
    QStringList out = now.preamble;
    for (const auto& [row, lines] : now.rows) {
        const QStringList* back = was.find(row);
        if (changed.contains(row))
            out += back ? Rows::meaningful(*back) : QStringList();
        else
            out += Rows::meaningful(lines);
        out += lines.mid(Rows::meaningful(lines).size());
    }
    // A row the change took away, and nothing brought back since, before the last blank lines.
    const QStringList ending = out.mid(Rows::meaningful(out).size());
    out = Rows::meaningful(out);
    for (const QString& row : changed)
        if (const QStringList* back = was.find(row); back && !now.find(row))
            out += Rows::meaningful(*back);
    return (out + ending).join(QLatin1Char('\n')).toUtf8();
}
