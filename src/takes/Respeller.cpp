// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The pronunciation rules: whole words first, then letter groups in the order written.
#include "takes/Respeller.h"

#include "base/Errors.h"

#include <QStringList>

namespace speech {

Respeller Respeller::parse(const QString& text, const QString& fileName) {
    Respeller respeller;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].simplified();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const auto fail = [&](const QString& why) {
            return EReadError(
                QStringLiteral("%1, linha %2 : %3").arg(fileName).arg(i + 1).arg(why));
        };
        const QStringList sides = line.split(QLatin1Char('='));
        if (sides.size() != 2)
            throw fail(QStringLiteral("« letras = respelling » esperat"));
        QString from = sides[0].trimmed().toLower();
        const QString to = sides[1].trimmed().toLower();
        if (from.startsWith(QLatin1String("word "))) {
            const QString word = from.mid(5).trimmed();
            if (word.isEmpty() || word.contains(QLatin1Char(' ')) || to.isEmpty())
                throw fail(QStringLiteral("« word <mot> = <respelling> » esperat"));
            respeller.words_.insert(word, to);
            continue;
        }
        Rule rule;
        rule.atStart = from.startsWith(QLatin1Char('^'));
        rule.atEnd = from.endsWith(QLatin1Char('$'));
        rule.from = from.mid(rule.atStart ? 1 : 0);
        rule.from.chop(rule.atEnd ? 1 : 0);
        rule.to = to;
        if (rule.from.isEmpty() || rule.from.contains(QLatin1Char(' ')) ||
            to.contains(QLatin1Char(' ')))
            throw fail(QStringLiteral("letras sens espaci esperadas de cada costat de « = »"));
        respeller.rules_.push_back(rule);
    }
    return respeller;
}

QString Respeller::respellWord(const QString& word) const {
    const auto whole = words_.constFind(word);
    if (whole != words_.constEnd())
        return *whole;
    QString result = word;
    for (const Rule& rule : rules_) {
        if (rule.atStart && rule.atEnd) {
            if (result == rule.from)
                result = rule.to;
        } else if (rule.atStart) {
            if (result.startsWith(rule.from))
                result = rule.to + result.mid(rule.from.size());
        } else if (rule.atEnd) {
            if (result.endsWith(rule.from))
                result = result.left(result.size() - rule.from.size()) + rule.to;
        } else {
            result.replace(rule.from, rule.to);
        }
    }
    return result;
}

QString Respeller::respell(const QString& text) const {
    // Apostrophes split words: "l'uèlh" is the article and "uèlh".
    QString result;
    QString word;
    const auto flush = [&] {
        result += respellWord(word);
        word.clear();
    };
    for (const QChar c : text.normalized(QString::NormalizationForm_C).toLower()) {
        if (c.isLetter() || c == QLatin1Char('-')) {
            word += c;
        } else {
            flush();
            result += c;
        }
    }
    flush();
    return result;
}

} // namespace speech
