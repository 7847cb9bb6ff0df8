// The launcher's choice of asset folder, repeated here so that mirabosc-check checks the same one.
#include "LauncherFolder.h"

#include <QDir>
#include <QFileInfo>

namespace assetcheck {
namespace {

const char* const assetFolders[] = {"img_album", "son_album", "img_familles", "sons_familles"};
const char* const buildTreeSet = "assets";

} // namespace

bool holdsCompleteSet(const QString& folder) {
    const QDir dir(folder);
    for (const char* name : assetFolders) {
        if (!QFileInfo(dir.filePath(QString::fromLatin1(name))).isDir())
            return false;
    }
    return true;
}

QString userSetFolder() {
    // The base directory rules ignore an empty or relative XDG_DATA_HOME, and so does the launcher.
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(dataHome + QStringLiteral("/mirabosc"));
}

QString defaultSetFolder(const QString& programDir, const QString& installedRelative) {
    const QDir dir(programDir);
    const QString built = dir.filePath(QString::fromLatin1(buildTreeSet));
    if (QFileInfo(built).isDir())
        return QDir::cleanPath(dir.absoluteFilePath(QString::fromLatin1(buildTreeSet)));
    return QDir::cleanPath(dir.absoluteFilePath(installedRelative));
}

QString launcherFolder(const QString& programDir, const QString& installedRelative) {
    const QString user = userSetFolder();
    return holdsCompleteSet(user) ? user : defaultSetFolder(programDir, installedRelative);
}

} // namespace assetcheck
