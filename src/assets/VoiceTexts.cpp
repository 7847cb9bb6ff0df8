// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What each voice says, through the one parser of the set's texts.
#include "assets/VoiceTexts.h"

#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "base/Errors.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcTexts, "mirabosc.texts", QtWarningMsg)

const QString setFamilies = catalogue::textName(catalogue::familiesText);
const QString setAlbum = catalogue::textName(catalogue::albumText);
// Far more than any class writes; a larger file is not one of ours.
constexpr qint64 maxTextBytes = 1 << 20;

// Only a plain file of a sensible size is read: a FIFO or a device would hold the game.
QString setText(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maxTextBytes)
        throw EFOpenError(QStringLiteral("%1 : pas un fichier de textes").arg(path));
    return content::ContentReader::readTextFile(path);
}

QString readResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

VoiceTexts VoiceTexts::embedded() {
    return VoiceTexts(readResource(QStringLiteral(":/texts/familles.txt")),
                      readResource(QStringLiteral(":/texts/album.txt")));
}

const VoiceTexts& VoiceTexts::defaultSet() {
    static const VoiceTexts texts = embedded();
    return texts;
}

VoiceTexts VoiceTexts::ofCurrentSet() {
    VoiceTexts texts = defaultSet();
    if (!QFileInfo::exists(setFamilies) && !QFileInfo::exists(setAlbum))
        return texts;
    try {
        const VoiceTexts own(setText(setFamilies), setText(setAlbum));
        texts.cards_.insert(own.cards_);
        texts.pages_.insert(own.pages_);
    } catch (const Exception& error) {
        qCInfo(lcTexts).noquote() << "textes du jeu ignorés :" << error.message();
    }
    return texts;
}

VoiceTexts::VoiceTexts(const QString& families, const QString& album) {
    for (const content::Family& family :
         content::ContentReader::parseFamilies(families, catalogue::familiesText)) {
        cards_.insert(catalogue::titleNumber(family.index), family.name);
        for (const content::Card& card : family.cards)
            cards_.insert(card.number, card.word);
    }
    for (const content::AlbumPage& page :
         content::ContentReader::parsePages(album, catalogue::albumText))
        pages_.insert(page.number, (page.title + QLatin1Char(' ') + page.text).trimmed());
}

QString VoiceTexts::textOf(const QString& voiceName) const {
    using catalogue::slashed;
    for (int number = 1; number <= catalogue::lastCardNumber; ++number)
        if (slashed(catalogue::cardSound(number)) == voiceName)
            return cardWord(number);
    for (int page = 1; page <= catalogue::albumPageCount; ++page)
        if (slashed(catalogue::albumNarration(page)) == voiceName)
            return pageText(page);
    return {};
}
