// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A set's text file changed row by row, for a change taken back after later changes to the file.
#pragma once

#include <QByteArray>
#include <QString>

class TextRows {
public:
    // One change taken back row by row in a text file (name: "familles.txt", "album.txt",
    // "frasas.txt" or "votz.txt") changed again since: each row (a card, a page, a phrase, a
    // voice's mark) whose lines differ between before and after the change gets back in text the
    // lines it had before, or goes when it had none; every other row of text stays.
    static QByteArray withRowsBack(const QString& name, const QByteArray& text,
                                   const QByteArray& before, const QByteArray& after);
};
