// Folders found from the program's own place, so a build tree and an install both work.
#include "voices/Locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace locations {

QString installedDefaultSet() {
    const QString programDir = QCoreApplication::applicationDirPath();
    for (const QString& candidate : {programDir + QStringLiteral("/assets"),
                                     programDir + QStringLiteral("/../share/mirabosc")})
        if (QFileInfo::exists(candidate + QStringLiteral("/sons_familles/1.mp3")))
            return QDir::cleanPath(candidate);
    return {};
}

QString userSet() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/mirabosc");
}

} // namespace locations
