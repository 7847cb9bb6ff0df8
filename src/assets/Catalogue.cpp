// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The asset catalogue's path building.
#include "assets/Catalogue.h"

namespace catalogue {

std::array<int, cardsPerFamily> familyCards(int family) {
    std::array<int, cardsPerFamily> cards{};
    for (int slot = 1; slot <= cardsPerFamily; ++slot)
        cards[slot - 1] = cardNumber(family, slot);
    return cards;
}

static QString numbered(const char* prefix, int number, const char* suffix) {
    return QString::fromLatin1(prefix) + QString::number(number) + QString::fromLatin1(suffix);
}

QString albumPicture(int page) {
    return numbered("img_album\\", page, ".bmp");
}
QString albumNarration(int page) {
    return numbered("son_album\\", page, ".mp3");
}
QString miniature(int firstCard) {
    return numbered("img_familles\\mini", firstCard, ".bmp");
}
QString smallCard(int card) {
    return numbered("img_familles\\v", card, ".bmp");
}
QString largeCard(int card) {
    return numbered("img_familles\\", card, ".bmp");
}
QString albumTab(int page) {
    return page == 1 ? QStringLiteral("Mirabosc") : QStringLiteral("p. %1").arg(page - 1);
}

QString blankCard() {
    return QStringLiteral("img_familles\\vierge.bmp");
}
QString cardSound(int number) {
    return numbered("sons_familles\\", number, ".mp3");
}

QString phraseVoice(Phrase phrase) {
    return QString::fromLatin1(phraseFolder) + numbered("\\", int(phrase), ".mp3");
}

QString slashed(QString path) {
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

QString textName(const QString& text) {
    return textsFolder + QLatin1Char('/') + text;
}

const QStringList& voiceNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int number = 1; number <= lastCardNumber; ++number)
            list << slashed(cardSound(number));
        for (int page = 1; page <= albumPageCount; ++page)
            list << slashed(albumNarration(page));
        return list;
    }();
    return names;
}

const QStringList& phraseVoiceNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int number = 1; number <= phraseCount; ++number)
            list << slashed(phraseVoice(Phrase(number)));
        return list;
    }();
    return names;
}

const QStringList& carriedFolders() {
    static const QStringList folders = [] {
        QStringList list;
        for (const char* folder : assetFolders)
            list << QLatin1String(folder);
        return list << QLatin1String(phraseFolder);
    }();
    return folders;
}

const QStringList& pictureNames() {
    static const QStringList names = [] {
        QStringList list{slashed(blankCard())};
        for (int number = 1; number <= lastCardNumber; ++number) {
            if (isTitleNumber(number))
                list << slashed(miniature(number + 1));
            else
                list << slashed(smallCard(number)) << slashed(largeCard(number));
        }
        for (int page = 1; page <= albumPageCount; ++page)
            list << slashed(albumPicture(page));
        return list;
    }();
    return names;
}

} // namespace catalogue
