// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One line a file, "file NAME ORIGIN BLAKE2B-256", after a line naming the format and one the
// base; the hash is one of the quickest Qt has, as a whole set is hashed on export and import.
#include "sets/SetManifest.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"

#include <QCryptographicHash>
#include <QHash>
#include <QStringList>

namespace setmanifest {

namespace {

const QString formatKeyword = QStringLiteral("mirabosc-joc");
const QString baseKeyword = QStringLiteral("base");
const QString fileKeyword = QStringLiteral("file");
const QString noOrigin = QStringLiteral("-");
const QString textsPrefix = catalogue::textsFolder + QLatin1Char('/');
const QStringList wholeTexts{catalogue::textName(catalogue::familiesText),
                             catalogue::textName(catalogue::albumText)};

QString hashOf(const QByteArray& bytes) {
    return QString::fromLatin1(
        QCryptographicHash::hash(bytes, QCryptographicHash::Blake2b_256).toHex());
}

SetRefused refused(const QString& why) {
    return SetRefused(QStringLiteral("es pas un jòc de Mirabosc, %1").arg(why));
}

bool isAsset(const QString& name) {
    return name.startsWith(QLatin1String("img_")) || name.startsWith(QLatin1String("son"));
}

FileOrigins earlierOrigins(const std::vector<setarchive::Entry>& entries) {
    FileOrigins origins;
    bool hasFile = false;
    int texts = 0;
    for (const setarchive::Entry& entry : entries) {
        hasFile = hasFile || !entry.name.startsWith(textsPrefix);
        texts += entry.name.startsWith(textsPrefix) ? 1 : 0;
        if (isAsset(entry.name))
            origins.set(entry.name, entry.name.endsWith(QLatin1String(".mp3"))
                                        ? FileOrigins::Origin::Recorded
                                        : FileOrigins::Origin::Drawn);
    }
    if (!hasFile)
        throw refused(QStringLiteral("i a pas cap de fichièr del jòc dedins"));
    for (const QString& text : wholeTexts)
        if (texts > 0 &&
            std::none_of(entries.begin(), entries.end(),
                         [&text](const setarchive::Entry& e) { return e.name == text; }))
            throw refused(QStringLiteral("los tèxtes i son pas totes, %1 i manca").arg(text));
    return origins;
}

} // namespace

QByteArray write(const QString& base, const std::vector<File>& files) {
    QString text = QStringLiteral("%1 %2\n%3 %4\n")
                       .arg(formatKeyword)
                       .arg(formatVersion)
                       .arg(baseKeyword, base);
    for (const File& file : files)
        text += QStringLiteral("%1 %2 %3 %4\n")
                    .arg(fileKeyword, file.name,
                         isAsset(file.name) ? FileOrigins::word(file.origin) : noOrigin,
                         hashOf(file.bytes));
    return text.toUtf8();
}

FileOrigins verify(const std::vector<setarchive::Entry>& entries) {
    const auto manifest =
        std::find_if(entries.begin(), entries.end(),
                     [](const setarchive::Entry& e) { return e.name == fileName; });
    if (manifest == entries.end())
        return earlierOrigins(entries);
    const QString text = QString::fromUtf8(manifest->bytes);
    QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (text.toUtf8() != manifest->bytes || lines.size() < 2 ||
        lines[0] != QStringLiteral("%1 %2").arg(formatKeyword).arg(formatVersion) ||
        !lines[1].startsWith(baseKeyword + QLatin1Char(' ')))
        throw refused(
            QStringLiteral("la lista %1 es illegibla o d'una version desconeguda").arg(fileName));
    QHash<QString, const setarchive::Entry*> held;
    for (const setarchive::Entry& entry : entries)
        if (entry.name != fileName)
            held.insert(entry.name, &entry);
    FileOrigins origins;
    int texts = 0;
    QStringList named;
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.split(QLatin1Char(' '));
        if (fields.size() != 4 || fields[0] != fileKeyword)
            throw refused(QStringLiteral("linha illegibla dins %1").arg(fileName));
        if (named.contains(fields[1]))
            throw refused(QStringLiteral("%1 i es nomenat dos còps").arg(fields[1].left(80)));
        named << fields[1];
        const setarchive::Entry* entry = held.take(fields[1]);
        if (!entry)
            throw refused(QStringLiteral("%1 i es nomenat mas i es pas").arg(fields[1].left(80)));
        if (hashOf(entry->bytes) != fields[3])
            throw refused(QStringLiteral("%1 es pas lo fichièr nomenat").arg(fields[1]));
        texts += fields[1].startsWith(textsPrefix) ? 1 : 0;
        if (isAsset(fields[1]))
            origins.set(fields[1], FileOrigins::fromWord(fields[2]));
    }
    if (lines.size() == 2)
        throw refused(QStringLiteral("i a pas cap de fichièr del jòc dedins"));
    if (!held.isEmpty())
        throw refused(QStringLiteral("%1 i es mas la lista lo nomena pas").arg(held.begin().key()));
    for (const QString& wanted : wholeTexts)
        if (texts > 0 &&
            std::none_of(entries.begin(), entries.end(),
                         [&wanted](const setarchive::Entry& e) { return e.name == wanted; }))
            throw refused(QStringLiteral("los tèxtes i son pas totes, %1 i manca").arg(wanted));
    return origins;
}

} // namespace setmanifest
