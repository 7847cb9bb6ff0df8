// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one set of rules on a set's text files and the words in them, for every program that reads
// or writes them: the game, the workshop, the import, the export and the checker.
#pragma once

#include <QByteArray>
#include <QString>

namespace content {

class TextsReader {
public:
    // No text file of a set is larger; a larger file is not one of ours, wherever it is read.
    static constexpr qint64 largestFile = 1 << 20;
    // The longest word or family name (it must fit on a card) and page text a set may hold.
    static constexpr int longestWord = 40;
    static constexpr int longestPage = 400;

    // The text of one of a set's files: UTF-8, with or without a byte-order mark, its lines
    // ended by LF, CR LF or CR (given back as LF). name: how messages call it. Throws EReadError
    // for a file over largestFile or bytes that are not UTF-8.
    static QString decode(const QByteArray& bytes, const QString& name);
    // The same read from path: a plain file only (a FIFO or a device would hold the reader), and
    // never more than largestFile. Throws EFOpenError or EReadError.
    static QString readFile(const QString& path, const QString& name);
    // The file's bytes as readFile reads them, one more than largestFile at most, for decode().
    static QByteArray readBytes(const QString& path);
    // Why text cannot be a word, name or page text of at most longest characters: empty or
    // invisible, a control or format character, too long, "|" (it separates fields) or a
    // leading "#" (a note). Empty when it can; text is taken trimmed.
    static QString problemOf(const QString& text, int longest);
    // The text as a message shows it: trimmed, invisible characters made visible, shortened.
    static QString shown(const QString& text);
};

} // namespace content
