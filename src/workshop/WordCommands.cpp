// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The texts are saved first, so that the pictures composed next and any later step see the new
// words; each picture and voice then goes through the folder's history.
#include "workshop/WordCommands.h"

#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "base/Errors.h"
#include "cardart/CardComposer.h"
#include "sets/FolderLock.h"
#include "sets/SafeWrite.h"
#include "sets/SetFolder.h"
#include "sets/SetTexts.h"
#include "sets/StoredArt.h"
#include "takes/SpeechSynth.h"
#include "workshop/VoiceMaker.h"

namespace wordcommands {

namespace {

QString cardVoice(int number) {
    return QStringLiteral("sons_familles/%1.mp3").arg(number);
}

QString pageVoice(int page) {
    return QStringLiteral("son_album/%1.mp3").arg(page);
}

// A voice still synthetic is spoken again; one the class recorded keeps what it says.
QString speakAgain(SetFolder& folder, SetTexts& texts, const QString& voice, const QString& text,
                   const QString& old) {
    if (folder.isOwn(voice) && !texts.isSynthetic(voice)) {
        texts.markOld(voice, old);
        return QStringLiteral("%1 : votz vòstra gardada, ditz encara « %2 »\n")
            .arg(voice, texts.saysOld(voice));
    }
    const speech::Respeller respeller = speech::Respeller::parse(
        content::ContentReader::readTextFile(embeddedTexts + QStringLiteral("/prononciation.txt")),
        QStringLiteral("prononciation.txt"));
    folder.write(voice, voicemaker::makeVoice(speechsynth::speak(text, respeller)));
    texts.markSynthetic(voice);
    return QStringLiteral("%1 : votz sintetica de nòu, « %2 »\n").arg(voice, text);
}

} // namespace

cardcomposer::Gallery galleryOf(const QString& set, const QString& row) {
    cardcomposer::Gallery gallery;
    const int number = int(SetFolder::voiceNames().indexOf(row)) + 1;
    if (number < 1 || number > catalogue::lastCardNumber)
        return gallery;
    for (const int card : catalogue::familyCards((number - 1) / 8 + 1))
        if (auto stored = storedart::find(set, cardVoice(card)))
            gallery.emplace(card, std::move(*stored));
    return gallery;
}

QString composeAgain(SetFolder& folder, const content::Content& content, const QString& row) {
    const cardcomposer::Gallery gallery = galleryOf(folder.root(), row);
    const auto stored = storedart::find(folder.root(), row);
    const std::vector<cardcomposer::Made> made =
        stored ? cardcomposer::compose(content, row, stored->art, stored->placement, gallery)
               : cardcomposer::composeDefault(content, row, gallery);
    QString report;
    for (const cardcomposer::Made& picture : made) {
        const QByteArray bytes = cardcomposer::bmpBytes(picture.image);
        // A picture that comes out the same adds no step to its history.
        if (safewrite::read(folder.pathOf(picture.name)) == bytes)
            continue;
        folder.write(picture.name, bytes);
        report += QStringLiteral("%1 : imatge compausat de nòu\n").arg(picture.name);
    }
    return report;
}

QString changeWord(SetFolder& folder, int number, const QString& text) {
    if (number < 1 || number > catalogue::lastCardNumber)
        throw SetRefused(QStringLiteral("Lo numèro %1 es pas un mot del jòc").arg(number));
    // The texts are read, changed and written back as one step: no other writer in between.
    const FolderLock lock(folder.root());
    SetTexts texts = SetTexts::load(folder.root(), embeddedTexts);
    const QString old = texts.setWord(number, text);
    const content::Content content = texts.content();
    QString report = QStringLiteral("%1 : « %2 » ven « %3 »\n").arg(number).arg(old, text);
    texts.save(folder.root());
    // A family's name is on its miniature and at the top of each of its large cards.
    std::vector<int> rows{number};
    if (catalogue::isTitleNumber(number))
        for (const int card : catalogue::familyCards((number - 1) / 8 + 1))
            rows.push_back(card);
    for (const int row : rows)
        report += composeAgain(folder, content, cardVoice(row));
    report += speakAgain(folder, texts, cardVoice(number), text, old);
    texts.save(folder.root());
    return report;
}

QString changePage(SetFolder& folder, int page, const QString& text) {
    const FolderLock lock(folder.root());
    SetTexts texts = SetTexts::load(folder.root(), embeddedTexts);
    const QString old = texts.setPage(page, text);
    const content::Content content = texts.content();
    texts.save(folder.root());
    QString report = QStringLiteral("pagina %1 : « %2 » ven « %3 »\n").arg(page).arg(old, text);
    report += composeAgain(folder, content, pageVoice(page));
    report += speakAgain(folder, texts, pageVoice(page), text, old);
    texts.save(folder.root());
    return report;
}

void recorded(const SetFolder& folder, const QString& voiceName) {
    const FolderLock lock(folder.root());
    SetTexts texts = SetTexts::load(folder.root(), embeddedTexts);
    if (texts.saysOld(voiceName).isEmpty() && !texts.isSynthetic(voiceName))
        return;
    texts.clearMark(voiceName);
    texts.save(folder.root());
}

VoiceTexts textsOf(const SetFolder& folder) {
    try {
        const SetTexts texts = SetTexts::load(folder.root(), embeddedTexts);
        return VoiceTexts(texts.families(), texts.album());
    } catch (const Exception&) {
        return VoiceTexts::embedded();
    }
}

QString saysOld(const SetFolder& folder, const QString& voiceName) {
    try {
        return SetTexts::load(folder.root(), embeddedTexts).saysOld(voiceName);
    } catch (const Exception&) {
        return {};
    }
}

} // namespace wordcommands
