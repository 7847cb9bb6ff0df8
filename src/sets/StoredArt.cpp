// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// PNG keeps the drawing without loss; the placement is part of the name, one file per row.
#include "sets/StoredArt.h"

#include "base/Errors.h"
#include "sets/SafeWrite.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace storedart {

namespace {

constexpr PictureArt::Placement placements[] = {PictureArt::Placement::Fill,
                                                PictureArt::Placement::Fit};

QString pathOf(const QString& set, const QString& name) {
    return set + QLatin1Char('/') + folder + QLatin1Char('/') + name;
}

} // namespace

QString fileName(const QString& voiceName, PictureArt::Placement placement) {
    QString stem = voiceName;
    stem.replace(QLatin1Char('/'), QLatin1Char('-')).chop(QStringLiteral(".mp3").size());
    return stem + (placement == PictureArt::Placement::Fill ? QStringLiteral(".fill.png")
                                                            : QStringLiteral(".fit.png"));
}

bool isStoredName(const QString& name) {
    static const QRegularExpression stored(
        QStringLiteral(R"(^(sons_familles|son_album)-[1-9][0-9]?\.(fill|fit)\.png$)"));
    return stored.match(name).hasMatch();
}

void keep(const QString& set, const QString& voiceName, const PictureArt& art,
          PictureArt::Placement placement) {
    const QString dir = set + QLatin1Char('/') + folder;
    if (QFileInfo(dir).isSymLink() || !QDir().mkpath(dir))
        throw SetRefused(QStringLiteral("Impossible d'escriure dins %1").arg(dir));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    art.image().save(&buffer, "PNG");
    safewrite::write(pathOf(set, fileName(voiceName, placement)), png);
    for (const PictureArt::Placement other : placements)
        if (other != placement)
            QFile::remove(pathOf(set, fileName(voiceName, other)));
}

std::optional<Stored> find(const QString& set, const QString& voiceName, const QString& base) {
    if (!base.isEmpty()) {
        bool hasOwn = false;
        for (const PictureArt::Placement placement : placements)
            hasOwn = hasOwn || QFileInfo(pathOf(set, fileName(voiceName, placement))).isFile();
        if (!hasOwn)
            return find(base, voiceName);
    }
    for (const PictureArt::Placement placement : placements) {
        const QString path = pathOf(set, fileName(voiceName, placement));
        if (!QFileInfo(path).isFile())
            continue;
        try {
            check(path, safewrite::read(path));
            return Stored{PictureArt::read(path, QSize()), placement};
        } catch (const SetRefused&) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

void check(const QString& name, const QByteArray& bytes) {
    PictureArt::checkKept(name, bytes);
}

} // namespace storedart
