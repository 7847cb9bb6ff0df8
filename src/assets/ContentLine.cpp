// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The field readers every line format of the set's texts shares.
#include "assets/ContentLine.h"

#include "assets/TextsReader.h"
#include "base/Errors.h"

#include <QRegularExpression>

namespace content {

namespace {

constexpr int maxCodePoints = 8;
constexpr uint lastCodePoint = 0x10FFFF;
constexpr uint firstSurrogate = 0xD800;
constexpr uint lastSurrogate = 0xDFFF;

} // namespace

std::vector<ContentLine> ContentLine::linesOf(const QString& text, const QString& file) {
    std::vector<ContentLine> lines;
    const QStringList raw = text.split(QLatin1Char('\n'));
    for (int i = 0; i < raw.size(); ++i) {
        const QString trimmed = raw[i].trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')))
            lines.push_back({file, i + 1, trimmed.simplified()});
    }
    return lines;
}

std::vector<ContentLine> ContentLine::linesOf(const TextLayers::Lines& lines) {
    std::vector<ContentLine> meaningful;
    for (const TextLayers::Line& line : lines) {
        const QString trimmed = line.text.trimmed();
        if (!trimmed.isEmpty() && !trimmed.startsWith(QLatin1Char('#')))
            meaningful.push_back({line.file, line.number, trimmed.simplified()});
    }
    return meaningful;
}

void ContentLine::fail(const QString& why) const {
    throw EReadError(QStringLiteral("%1, linha %2 : %3").arg(file).arg(number).arg(why));
}

int ContentLine::toInt(const QString& word, int low, int high, const char* what) const {
    bool ok = false;
    const int value = word.toInt(&ok);
    if (!ok || value < low || value > high)
        fail(QStringLiteral("%1 esperat entre %2 e %3, trobat « %4 »")
                 .arg(QString::fromUtf8(what))
                 .arg(low)
                 .arg(high)
                 .arg(word));
    return value;
}

QColor ContentLine::toColour(const QString& word) const {
    static const QRegularExpression hex(QStringLiteral("^#[0-9A-Fa-f]{6}$"));
    if (!hex.match(word).hasMatch())
        fail(QStringLiteral("color esperada en forma #RRVVBB, trobat « %1 »").arg(word));
    return QColor(word);
}

QString ContentLine::toEmoji(const QStringList& words) const {
    if (words.size() > maxCodePoints)
        fail(QStringLiteral("tròp de punts de còde (%1 al mai)").arg(maxCodePoints));
    QString emoji;
    for (const QString& word : words) {
        bool ok = false;
        const uint code = word.toUInt(&ok, 16);
        if (!ok || code == 0 || code > lastCodePoint ||
            (code >= firstSurrogate && code <= lastSurrogate))
            fail(QStringLiteral("punt de còde pas valid « %1 »").arg(word));
        const char32_t c = code;
        emoji += QString::fromUcs4(&c, 1);
    }
    return emoji;
}

QStringList ContentLine::fields(int least, int most) const {
    QStringList trimmed;
    for (const QString& field : rest().split(QLatin1Char('|')))
        trimmed << field.trimmed();
    if (trimmed.size() < least || trimmed.size() > most)
        fail(QStringLiteral("%1 a %2 camps separats per « | » esperats").arg(least).arg(most));
    for (const QString& field : trimmed)
        if (field.isEmpty())
            fail(QStringLiteral("camp void"));
    return trimmed;
}

QString ContentLine::checkedText(const QString& words, int longest) const {
    if (const QString problem = TextsReader::problemOf(words, longest); !problem.isEmpty())
        fail(problem);
    return words;
}

} // namespace content
