// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A link names the set it is read from; that set's own texts (or the default words) say what its
// file shows or says, which must be the word this set gives for the same row.
#include "check/SetAgreement.h"

#include "assets/Catalogue.h"
#include "assets/TextsReader.h"
#include "assets/VoiceTexts.h"
#include "base/Errors.h"
#include "sets/FileOrigins.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <map>

namespace assetcheck {

namespace {

// The words of the set at folder, as the game reads them.
VoiceTexts wordsOf(const QString& folder) {
    QStringList ignored; // the checker reports the texts' own problems elsewhere
    return VoiceTexts::ofSet(folder, &ignored);
}

// What a file of the set shows or says: the words of its row, as they appear on it.
QStringList wordsShown(const VoiceTexts& words, const QString& name) {
    static const QRegularExpression card(QStringLiteral(R"(^img_familles/(v|mini)?(\d+)\.bmp$)"));
    static const QRegularExpression page(QStringLiteral(R"(^img_album/(\d+)\.bmp$)"));
    if (const auto match = card.match(name); match.hasMatch()) {
        const int number = match.captured(2).toInt();
        const int title = catalogue::titleNumber((number - 1) / 8 + 1);
        if (match.captured(1) == QLatin1String("mini"))
            return {words.cardWord(title)};
        // A large card shows its family's name above its word.
        return match.captured(1).isEmpty()
                   ? QStringList{words.cardWord(number), words.cardWord(title)}
                   : QStringList{words.cardWord(number)};
    }
    if (const auto match = page.match(name); match.hasMatch())
        return {words.pageText(match.captured(1).toInt())};
    return {words.textOf(name)};
}

} // namespace

std::vector<Finding> disagreements() {
    std::vector<Finding> found;
    const VoiceTexts own = wordsOf(QStringLiteral("."));
    const FileOrigins marks = FileOrigins::load(QStringLiteral("."));
    std::map<QString, VoiceTexts> bases;
    for (const QStringList* names : {&catalogue::voiceNames(), &catalogue::pictureNames()})
        for (const QString& name : *names) {
            const QFileInfo file(name);
            if (!file.isSymLink())
                continue;
            if (marks.contains(name))
                found.push_back(
                    {name, Severity::Problem,
                     QStringLiteral("%1 marca aqueste fichièr coma « %2 », mas es un "
                                    "ligam cap a %3")
                         .arg(FileOrigins::fileName(), FileOrigins::word(marks.of(name)),
                              file.symLinkTarget())});
            const QString target = file.symLinkTarget();
            if (!target.endsWith(QLatin1Char('/') + name))
                continue;
            const QString base = target.left(target.size() - name.size() - 1);
            if (bases.find(base) == bases.end())
                bases.emplace(base, wordsOf(base));
            const QStringList there = wordsShown(bases.at(base), name);
            const QStringList here = wordsShown(own, name);
            if (there != here)
                found.push_back({name, Severity::Problem,
                                 QStringLiteral("legit de %1, que ditz « %2 », mas los tèxtes "
                                                "d'aqueste jòc dison « %3 »")
                                     .arg(base, there.join(QStringLiteral(" / ")),
                                          here.join(QStringLiteral(" / ")))});
        }
    return found;
}

} // namespace assetcheck
