// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What each voice says, through the one parser of the set's texts.
#include "assets/VoiceTexts.h"

#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "assets/TextLayers.h"
#include "base/Errors.h"

#include <QFile>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcTexts, "mirabosc.texts", QtWarningMsg)

const QString setFamilies = catalogue::textName(catalogue::familiesText);
const QString setAlbum = catalogue::textName(catalogue::albumText);

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
    QStringList problems;
    const VoiceTexts texts = ofSet(QStringLiteral("."), &problems);
    for (const QString& problem : problems)
        qCInfo(lcTexts).noquote() << "textes du jeu :" << problem;
    return texts;
}

VoiceTexts VoiceTexts::ofSet(const QString& root, QStringList* problems) {
    // Each line counts by itself: a damaged one leaves its word to the default set and every
    // other word to the set.
    VoiceTexts texts = defaultSet();
    const QStringList folders = content::TextLayers::folders(root);
    texts.addFamilies(content::ContentReader::parseFamilies(
        content::TextLayers::read(folders, catalogue::familiesText, problems), setFamilies,
        problems));
    texts.addPages(content::ContentReader::parsePages(
        content::TextLayers::read(folders, catalogue::albumText, problems), setAlbum, problems));
    texts.setPhrases(PhraseTexts::ofSet(root));
    return texts;
}

VoiceTexts::VoiceTexts(const QString& families, const QString& album) {
    addFamilies(content::ContentReader::parseFamilies(families, catalogue::familiesText));
    addPages(content::ContentReader::parsePages(album, catalogue::albumText));
}

void VoiceTexts::addFamilies(const std::vector<content::Family>& families) {
    for (const content::Family& family : families) {
        cards_.insert(catalogue::titleNumber(family.index), family.name);
        for (const content::Card& card : family.cards)
            cards_.insert(card.number, card.word);
    }
}

void VoiceTexts::addPages(const std::vector<content::AlbumPage>& pages) {
    // A page is known by what its voice reads: its title, or else its text.
    for (const content::AlbumPage& page : pages)
        pages_.insert(page.number, page.narration());
}

QString VoiceTexts::textOf(const QString& voiceName) const {
    using catalogue::slashed;
    for (int number = 1; number <= catalogue::lastCardNumber; ++number)
        if (slashed(catalogue::cardSound(number)) == voiceName)
            return cardWord(number);
    for (int page = 1; page <= catalogue::albumPageCount; ++page)
        if (slashed(catalogue::albumNarration(page)) == voiceName)
            return pageText(page);
    return phrases_.value(voiceName);
}

void VoiceTexts::setPhrases(const PhraseTexts& phrases) {
    for (int number = 1; number <= catalogue::phraseCount; ++number)
        phrases_.insert(catalogue::phraseVoiceNames().at(number - 1),
                        phrases.text(catalogue::Phrase(number)));
}
