// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The text files are opened without blocking and read no further than their cap; words are
// judged character by character, as a card or the album would show them.
#include "assets/TextsReader.h"

#include "base/Errors.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace content {

namespace {

constexpr int shownLength = 60;
const QByteArray byteOrderMark("\xEF\xBB\xBF");

bool isInvisible(QChar c) {
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
           c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

} // namespace

QString TextsReader::decode(const QByteArray& bytes, const QString& name) {
    if (bytes.size() > largestFile)
        throw EReadError(QStringLiteral("%1 es tròp grand : %2 octets al mai, pas %3")
                             .arg(name)
                             .arg(largestFile)
                             .arg(bytes.size()));
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text =
        decoder(bytes.startsWith(byteOrderMark) ? bytes.mid(byteOrderMark.size()) : bytes);
    if (decoder.hasError())
        throw EReadError(QStringLiteral("%1 : lo tèxt es pas en UTF-8").arg(name));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QString TextsReader::readFile(const QString& path, const QString& name) {
    return decode(readBytes(path), name);
}

QByteArray TextsReader::readBytes(const QString& path) {
    if (path.startsWith(QLatin1Char(':'))) { // the program's own texts, embedded in it
        QFile embedded(path);
        if (!embedded.open(QIODevice::ReadOnly))
            throw EFOpenError(QStringLiteral("Impossible de dobrir lo fichièr %1").arg(path));
        return embedded.read(largestFile + 1);
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw EFOpenError(QStringLiteral("Impossible de dobrir lo fichièr %1").arg(path));
    QFile file;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw EFOpenError(QStringLiteral("%1 es pas un fichièr ordinari").arg(path));
    }
    return file.read(largestFile + 1);
}

QString TextsReader::problemOf(const QString& text, int longest) {
    for (const QChar c : text)
        if (isInvisible(c))
            return QStringLiteral("« %1 » a un caractèr invisible o de contraròtle : "
                                  "una sola linha de letras")
                .arg(shown(text));
    const QString simple = text.simplified();
    if (simple.isEmpty())
        return QStringLiteral("lo tèxte es void");
    if (simple.size() > longest)
        return QStringLiteral("lo tèxte es tròp long : %1 caractèrs al mai, pas %2")
            .arg(longest)
            .arg(simple.size());
    if (simple.contains(QLatin1Char('|')))
        return QStringLiteral("« %1 » a lo signe « | », que separa los camps dels tèxtes")
            .arg(shown(text));
    if (simple.startsWith(QLatin1Char('#')))
        return QStringLiteral("« %1 » comença per « # », que marca una nòta dins los tèxtes")
            .arg(shown(text));
    return {};
}

QString TextsReader::shown(const QString& text) {
    static const QRegularExpression invisible(QStringLiteral("[\\p{Cc}\\p{Cf}\\p{Zl}\\p{Zp}]"));
    QString visible = text.trimmed().replace(invisible, QStringLiteral("·"));
    if (visible.size() > shownLength)
        visible = visible.left(shownLength) + QStringLiteral("…");
    return visible;
}

} // namespace content
