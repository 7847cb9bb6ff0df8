// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Everything a change of words touches is made aside first (the texts, the pictures composed
// again, a synthetic voice spoken again) and committed together, so a refusal changes nothing.
#include "workshop/WordCommands.h"

#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "assets/PhraseTexts.h"
#include "assets/TextsReader.h"
#include "base/Errors.h"
#include "cardart/CardComposer.h"
#include "sets/FolderLock.h"
#include "sets/SafeWrite.h"
#include "sets/SetFolder.h"
#include "sets/SetTexts.h"
#include "sets/StoredArt.h"
#include "takes/SpeechSynth.h"
#include "workshop/VoiceMaker.h"

#include <QFileInfo>
#include <algorithm>

namespace wordcommands {

namespace {

QString cardVoice(int number) {
    return QStringLiteral("sons_familles/%1.mp3").arg(number);
}

QString pageVoice(int page) {
    return QStringLiteral("son_album/%1.mp3").arg(page);
}

// A card's row by its number, a page's by its number negated.
QString rowVoice(int row, const QString& voice) {
    return row < 0 ? voice : cardVoice(row);
}

// A voice still synthetic is spoken again; one the class recorded keeps what it says.
QString speakAgain(SetFolder& folder, SetTexts& texts, const QString& voice, const QString& text,
                   const QString& old, std::vector<SetFolder::Change>& changes) {
    if (folder.isOwn(voice) && !texts.isSynthetic(voice)) {
        texts.markOld(voice, old);
        return QStringLiteral("%1 : votz vòstra gardada, ditz encara « %2 »\n")
            .arg(voice, texts.saysOld(voice));
    }
    const speech::Respeller respeller = speech::Respeller::parse(
        content::ContentReader::readTextFile(embeddedTexts + QStringLiteral("/prononciation.txt")),
        QStringLiteral("prononciation.txt"));
    changes.push_back({voice, voicemaker::makeVoice(speechsynth::speak(text, respeller)),
                       FileOrigins::Origin::Revoiced});
    texts.markSynthetic(voice);
    return QStringLiteral("%1 : votz sintetica de nòu, « %2 »\n").arg(voice, text);
}

SetTexts loadTexts(const SetFolder& folder) {
    return SetTexts::load(folder.root());
}

// The pictures to compose again for the rows, and the texts, committed with the voice.
QString commitChange(SetFolder& folder, SetTexts& texts, const std::vector<int>& rows,
                     const QString& voice, const QString& text, const QString& old, QString report,
                     const std::pair<QString, QByteArray>& more = {}) {
    const content::Content content = texts.content();
    std::vector<SetFolder::Change> changes;
    for (const int row : rows)
        report += composed(folder, content, rowVoice(row, voice), changes);
    report += speakAgain(folder, texts, voice, text, old, changes);
    auto files = texts.files();
    if (!more.first.isEmpty())
        files.push_back(more);
    folder.commit(changes, files);
    return report;
}

// The set's own frasas.txt: the phrases it changed (the others are read from its base).
QString phrasesOf(const SetFolder& folder) {
    const QString file = folder.pathOf(catalogue::textName(catalogue::phrasesText));
    return QFileInfo::exists(file) ? content::ContentReader::readTextFile(file) : QString();
}

// The phrase's line replaced in the file's own text (comments stay), or added when the file
// has none; a respelling for the voice was for the old text.
QString withPhrase(const QString& phrases, int number, const QString& text) {
    const QString line = QStringLiteral("phrase %1 | %2").arg(number).arg(text);
    QStringList lines = phrases.split(QLatin1Char('\n'));
    const auto at = std::find_if(lines.begin(), lines.end(), [number](const QString& each) {
        const QStringList words = each.simplified().split(QLatin1Char(' '));
        return words.size() >= 2 && words[0] == QLatin1String("phrase") &&
               words[1].toInt() == number;
    });
    if (at != lines.end())
        *at = line;
    else
        lines.insert(lines.last().isEmpty() ? lines.size() - 1 : lines.size(), line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString composed(const SetFolder& folder, const content::Content& content, const QString& row,
                 std::vector<SetFolder::Change>& changes) {
    const cardcomposer::Gallery gallery = galleryOf(folder, row);
    const auto stored = storedart::find(folder.root(), row, folder.defaultSet());
    const std::vector<cardcomposer::Made> made =
        stored ? cardcomposer::compose(content, row, stored->art, stored->placement, gallery)
               : cardcomposer::composeDefault(content, row, gallery);
    QString report;
    for (const cardcomposer::Made& picture : made) {
        QByteArray bytes = cardcomposer::bmpBytes(picture.image);
        // A picture that comes out the same adds no step to its history.
        if (safewrite::read(folder.pathOf(picture.name)) == bytes)
            continue;
        // Made again from the class's drawing, or as the default set draws it: not a drawing.
        changes.push_back({picture.name, std::move(bytes),
                           stored ? FileOrigins::Origin::Drawn : FileOrigins::Origin::Revoiced});
        report += QStringLiteral("%1 : imatge compausat de nòu\n").arg(picture.name);
    }
    return report;
}

cardcomposer::Gallery galleryOf(const SetFolder& folder, const QString& row) {
    cardcomposer::Gallery gallery;
    const int number = int(SetFolder::voiceNames().indexOf(row)) + 1;
    if (number < 1 || number > catalogue::lastCardNumber)
        return gallery;
    for (const int card : catalogue::familyCards((number - 1) / 8 + 1))
        if (auto stored = storedart::find(folder.root(), cardVoice(card), folder.defaultSet()))
            gallery.emplace(card, std::move(*stored));
    return gallery;
}

QString composeAgain(SetFolder& folder, const content::Content& content, const QString& row) {
    std::vector<SetFolder::Change> changes;
    const QString report = composed(folder, content, row, changes);
    folder.commit(changes);
    return report;
}

QString changeWord(SetFolder& folder, int number, const QString& text) {
    if (number < 1 || number > catalogue::lastCardNumber)
        throw SetRefused(QStringLiteral("Lo numèro %1 es pas un mot del jòc").arg(number));
    // The texts are read, changed and written back as one step: no other writer in between.
    const FolderLock lock(folder.root());
    SetTexts texts = loadTexts(folder);
    const QString old = texts.setWord(number, text);
    // A family's name is on its miniature and at the top of each of its large cards.
    std::vector<int> rows{number};
    if (catalogue::isTitleNumber(number))
        for (const int card : catalogue::familyCards((number - 1) / 8 + 1))
            rows.push_back(card);
    return commitChange(folder, texts, rows, cardVoice(number), text.simplified(), old,
                        QStringLiteral("%1 : « %2 » ven « %3 »\n").arg(number).arg(old, text));
}

QString changePage(SetFolder& folder, int page, const QString& text) {
    const FolderLock lock(folder.root());
    SetTexts texts = loadTexts(folder);
    const QString old = texts.setPage(page, text);
    return commitChange(folder, texts, {-page}, pageVoice(page), text.simplified(), old,
                        QStringLiteral("pagina %1 (« %2 » dins l'album) : « %3 » ven « %4 »\n")
                            .arg(page)
                            .arg(catalogue::albumTab(page), old, text));
}

QString changePhrase(SetFolder& folder, int number, const QString& text) {
    if (number < 1 || number > catalogue::phraseCount)
        throw SetRefused(QStringLiteral("La frasa %1 es pas del jòc : de 1 a %2")
                             .arg(number)
                             .arg(catalogue::phraseCount));
    // A phrase is a sentence: the set's rule on a page's text.
    if (const QString problem =
            content::TextsReader::problemOf(text, content::TextsReader::longestPage);
        !problem.isEmpty())
        throw SetRefused(QStringLiteral("Frasa refusada : %1").arg(problem));
    const FolderLock lock(folder.root());
    SetTexts texts = loadTexts(folder);
    const QString before = phrasesOf(folder);
    const auto phrase = catalogue::Phrase(number);
    const QString said = text.simplified();
    const QString after = withPhrase(before, number, said);
    PhraseTexts changed;
    try {
        changed = PhraseTexts::parse(after, catalogue::phrasesText);
    } catch (const Exception& error) {
        throw SetRefused(QStringLiteral("Frasa refusada : %1").arg(error.message()));
    }
    // What the phrase said: a line the change replaces may be the one the game could not read.
    const QString was = [&before, &folder, phrase] {
        try {
            const PhraseTexts own = PhraseTexts::parse(before, catalogue::phrasesText);
            if (own.has(phrase))
                return own.text(phrase);
        } catch (const Exception&) {
        }
        return PhraseTexts::ofSet(folder.root()).text(phrase);
    }();
    return commitChange(folder, texts, {}, catalogue::slashed(catalogue::phraseVoice(phrase)),
                        changed.spoken(phrase), was,
                        QStringLiteral("frasa %1 : « %2 » ven « %3 »\n").arg(number).arg(was, said),
                        {catalogue::textName(catalogue::phrasesText), after.toUtf8()});
}

void recorded(const SetFolder& folder, const QString& voiceName) {
    const FolderLock lock(folder.root());
    SetTexts texts = loadTexts(folder);
    if (texts.saysOld(voiceName).isEmpty() && !texts.isSynthetic(voiceName))
        return;
    texts.clearMark(voiceName);
    texts.save(folder.root());
}

content::Content contentOf(const SetFolder& folder) {
    return loadTexts(folder).content();
}

VoiceTexts textsOf(const SetFolder& folder) {
    // The words as the game reads them: a damaged line costs only its own word.
    QStringList problems;
    return VoiceTexts::ofSet(folder.root(), &problems);
}

QString saysOld(const SetFolder& folder, const QString& voiceName) {
    try {
        return loadTexts(folder).saysOld(voiceName);
    } catch (const Exception&) {
        return {};
    }
}

} // namespace wordcommands
