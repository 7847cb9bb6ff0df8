// The checker reads the current directory, as the game does: it is moved there and back.
#include "recorder/SetCheck.h"

#include "audio/MediaPlayerMP3.h"
#include "base/Errors.h"
#include "check/AssetCheck.h"
#include "toolkit/PictureLoader.h"

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
        const assetcheck::Readers readers{
            [](const QString& path) { return pictures::loadPicture(path).size(); },
            [&player](const QString& path) {
                player.close();
                player.setFileName(path);
                player.open();
            }};
        for (const assetcheck::Finding& finding : assetcheck::checkCurrentFolder(readers))
            if (finding.severity == assetcheck::Severity::Problem)
                found << assetcheck::reportLine(finding);
    } catch (const Exception& error) {
        found << error.message();
    }
    QDir::setCurrent(before);
    return found.join(QLatin1Char('\n'));
}

} // namespace setcheck
