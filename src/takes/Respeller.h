// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Respells Occitan text into letters that the Catalan voice reads well.
#pragma once

#include <QHash>
#include <QString>
#include <vector>

namespace speech {

class Respeller {
public:
    // The rules in the format of data/prononciation.txt; throws EReadError naming the line.
    static Respeller parse(const QString& text, const QString& fileName);

    // Each word in lower case, respelled by its whole-word entry or else by the letter rules in
    // order; everything between words (spaces, punctuation) is kept.
    QString respell(const QString& text) const;

private:
    struct Rule {
        QString from;
        QString to;
        bool atStart = false;
        bool atEnd = false;
    };
    QString respellWord(const QString& word) const;

    QHash<QString, QString> words_;
    std::vector<Rule> rules_;
};

} // namespace speech
