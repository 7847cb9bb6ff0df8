// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One line a file the class changed, "name origin"; a file not named is the default's.
#include "sets/FileOrigins.h"

#include "base/Errors.h"
#include "sets/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

const char* const words[] = {"default", "recorded", "imported", "drawn", "revoiced"};
const QString header = QStringLiteral("# mirabosc: where each file the class changed came from\n");

} // namespace

bool FileOrigins::isKept(const QString& set) {
    return QFileInfo(set + QLatin1Char('/') + fileName()).isFile();
}

FileOrigins FileOrigins::load(const QString& set, QStringList* problems) {
    QFile file(set + QLatin1Char('/') + fileName());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(QString::fromUtf8(file.readAll()), problems);
}

FileOrigins FileOrigins::parse(const QString& text, QStringList* problems) {
    FileOrigins origins;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        // A line that cannot be read costs its own mark only.
        const QStringList fields = line.split(QLatin1Char(' '));
        try {
            if (fields.size() != 2)
                throw SetRefused(QStringLiteral("linha illegibla"));
            origins.set(fields[0], fromWord(fields[1]));
        } catch (const SetRefused& error) {
            if (problems)
                *problems << QStringLiteral("%1, linha %2 : %3")
                                 .arg(fileName())
                                 .arg(i + 1)
                                 .arg(error.message());
        }
    }
    return origins;
}

QString FileOrigins::text() const {
    QString text = header;
    for (auto mark = marks_.begin(); mark != marks_.end(); ++mark)
        text += mark.key() + QLatin1Char(' ') + word(mark.value()) + QLatin1Char('\n');
    return text;
}

void FileOrigins::save(const QString& set) const {
    safewrite::write(set + QLatin1Char('/') + fileName(), text().toUtf8());
}

void FileOrigins::set(const QString& name, Origin origin) {
    if (origin == Origin::Default)
        marks_.remove(name);
    else
        marks_.insert(name, origin);
}

QString FileOrigins::word(Origin origin) {
    return QLatin1String(words[int(origin)]);
}

FileOrigins::Origin FileOrigins::fromWord(const QString& word) {
    for (int i = 0; i < int(std::size(words)); ++i)
        if (word == QLatin1String(words[i]))
            return Origin(i);
    throw SetRefused(QStringLiteral("origina desconeguda : %1").arg(word.left(40)));
}
