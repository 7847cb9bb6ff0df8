// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Names are matched against the catalogue's lists, never resolved on disk.
#include "sets/SetNames.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"

namespace setnames {

using catalogue::slashed;

bool isText(const QString& name) {
    return name.startsWith(catalogue::textsFolder + QLatin1Char('/'));
}

QString checkedName(const QString& relativePath) {
    const QString name = slashed(relativePath);
    // The game's phrases are voices a set may have: one made before the game has none.
    if (!catalogue::voiceNames().contains(name) && !catalogue::phraseVoiceNames().contains(name))
        throw SetRefused(QStringLiteral("« %1 » es pas una votz del jòc : sons_familles/1.mp3 "
                                        "a 56.mp3, son_album/1.mp3 a 17.mp3 o son_frasas/1.mp3 "
                                        "a %2.mp3")
                             .arg(relativePath)
                             .arg(catalogue::phraseCount));
    return name;
}

QString checkedFileName(const QString& relativePath) {
    const QString name = slashed(relativePath);
    return catalogue::pictureNames().contains(name) ? name : checkedName(relativePath);
}

QString checkedStepName(const QString& relativePath) {
    const QString name = slashed(relativePath);
    for (const QString& text : {catalogue::familiesText, catalogue::albumText,
                                catalogue::voiceMarksText, catalogue::phrasesText})
        if (name == catalogue::textName(text))
            return name;
    return checkedFileName(relativePath);
}

} // namespace setnames
