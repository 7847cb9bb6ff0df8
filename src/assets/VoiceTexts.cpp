// A small reader of the "family", "card", "page", "title" and "text" lines of data/.
#include "assets/VoiceTexts.h"

#include "assets/Catalogue.h"

#include <QFile>
#include <QStringList>

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

const VoiceTexts& VoiceTexts::defaultSet() {
    static const VoiceTexts texts = embedded();
    return texts;
}

VoiceTexts::VoiceTexts(const QString& families, const QString& album) {
    for (const QString& line : families.split(QLatin1Char('\n'))) {
        const QStringList fields = line.split(QLatin1Char('|'));
        const QStringList head = fields.constFirst().simplified().split(QLatin1Char(' '));
        if (fields.size() < 2 || head.size() != 2)
            continue;
        const int number = head[1].toInt();
        if (head[0] == QLatin1String("family"))
            cards_.insert(catalogue::titleNumber(number), fields[1].trimmed());
        else if (head[0] == QLatin1String("card"))
            cards_.insert(number, fields[1].trimmed());
    }
    int page = 0;
    for (const QString& line : album.split(QLatin1Char('\n'))) {
        const QString keyword = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1).trimmed();
        if (keyword == QLatin1String("page"))
            page = rest.toInt();
        else if (keyword == QLatin1String("title") || keyword == QLatin1String("text"))
            pages_[page] = (pages_.value(page) + QLatin1Char(' ') + rest).trimmed();
    }
}

QString VoiceTexts::textOf(const QString& voiceName) const {
    const auto slashed = [](const QString& path) {
        return QString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));
    };
    for (int number = 1; number <= catalogue::lastCardNumber; ++number)
        if (slashed(catalogue::cardSound(number)) == voiceName)
            return cardWord(number);
    for (int page = 1; page <= catalogue::albumPageCount; ++page)
        if (slashed(catalogue::albumNarration(page)) == voiceName)
            return pageText(page);
    return {};
}
