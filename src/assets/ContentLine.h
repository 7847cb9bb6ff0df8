// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One meaningful line of a set's text file and the readers of its fields, each failing with the
// file and line it reads.
#pragma once

#include "assets/TextLayers.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

namespace content {

class ContentLine {
public:
    QString file;
    int number = 0;
    QString text; // simplified

    // The lines of text that are neither empty nor a note ("#"), numbered from 1.
    static std::vector<ContentLine> linesOf(const QString& text, const QString& file);
    // The same of a layered text, each line named by the file it comes from.
    static std::vector<ContentLine> linesOf(const TextLayers::Lines& lines);

    // Throws EReadError naming the file and the line.
    [[noreturn]] void fail(const QString& why) const;
    QString keyword() const { return text.section(QLatin1Char(' '), 0, 0); }
    QString rest() const { return text.section(QLatin1Char(' '), 1).trimmed(); }

    int toInt(const QString& word, int low, int high, const char* what) const;
    QColor toColour(const QString& word) const;
    // Code points in hexadecimal, as "1F408 200D 2B1B".
    QString toEmoji(const QStringList& words) const;
    // The rest of the line split at "|", each field trimmed and none empty.
    QStringList fields(int least, int most) const;
    // A word, name or text as the set's rules allow it on a card or a page.
    QString checkedText(const QString& words, int longest) const;
};

} // namespace content
