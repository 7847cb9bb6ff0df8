// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The checker reads the current directory, as the game does: it is moved there and back.
#include "workshop/SetCheck.h"

#include "assets/Catalogue.h"
#include "audio/MediaPlayerMP3.h"
#include "base/Errors.h"
#include "check/AssetCheck.h"
#include "check/ProgramReaders.h"
#include "pictures/PictureLoader.h"

#include <QDir>
#include <QStringList>

namespace setcheck {

QString problems(const QString& folder) {
    const QString before = QDir::currentPath();
    if (!QDir::setCurrent(folder))
        return QStringLiteral("dorsièr introbable : %1").arg(folder);
    QStringList found;
    try {
        MediaPlayerMP3 player;
        const assetcheck::Readers readers = assetcheck::programReaders(player);
        std::vector<assetcheck::Finding> findings = assetcheck::checkCurrentFolder(readers);
        for (assetcheck::Finding& finding : assetcheck::checkSetFiles())
            findings.push_back(std::move(finding));
        // The workshop makes every picture at the size the game shows it: in a set to be put in
        // place, a picture of another size is refused too.
        // Named as the workshop names a set's files, with "/".
        for (assetcheck::Finding& finding : findings) {
            finding.path = catalogue::slashed(finding.path);
            found << assetcheck::reportLine(finding);
        }
    } catch (const Exception& error) {
        found << error.message();
    }
    QDir::setCurrent(before);
    return found.join(QLatin1Char('\n'));
}

} // namespace setcheck
