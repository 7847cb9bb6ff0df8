// What each voice says, through the set-making core's one parser of data/.
#include "recorder/VoiceTexts.h"

#include "assets/Catalogue.h"
#include "voices/ContentReader.h"
#include "voices/VoiceFolder.h"

#include <QFile>

namespace {

QString readResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

VoiceTexts VoiceTexts::embedded() {
    return VoiceTexts(readResource(QStringLiteral(":/texts/familles.txt")),
                      readResource(QStringLiteral(":/texts/album.txt")));
}

VoiceTexts::VoiceTexts(const QString& families, const QString& album) {
    for (const content::Family& family :
         content::ContentReader::parseFamilies(families, QStringLiteral("familles.txt"))) {
        cards_.insert(catalogue::titleNumber(family.index), family.name);
        for (const content::Card& card : family.cards)
            cards_.insert(card.number, card.word);
    }
    for (const content::AlbumPage& page :
         content::ContentReader::parsePages(album, QStringLiteral("album.txt")))
        pages_.insert(page.number, (page.title + QLatin1Char(' ') + page.text).trimmed());
}

QString VoiceTexts::textOf(const QString& voiceName) const {
    const int index = int(VoiceFolder::voiceNames().indexOf(voiceName));
    if (index < 0)
        return {};
    return index < catalogue::lastCardNumber ? cardWord(index + 1)
                                             : pageText(index - catalogue::lastCardNumber + 1);
}
