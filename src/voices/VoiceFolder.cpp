// Voice files are replaced only by safe writes, and only under the game's own names.
#include "voices/VoiceFolder.h"

#include "assets/Catalogue.h"
#include "voices/SafeWrite.h"
#include "voices/VoiceRefused.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

const QStringList assetFolders = {QStringLiteral("img_album"), QStringLiteral("son_album"),
                                  QStringLiteral("img_familles"), QStringLiteral("sons_familles")};
// Replaced voices are kept apart from the four folders, where the game and the checker look.
const QString undoFolder = QStringLiteral(".desfar");
const QString redoSuffix = QStringLiteral(".refar");

QString slashed(QString path) {
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

} // namespace

VoiceFolder::VoiceFolder(const QString& root, const QString& defaultSet)
    : root_(QDir(root).absolutePath()), defaultSet_(defaultSet) {}

const QStringList& VoiceFolder::voiceNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int number = 1; number <= catalogue::lastCardNumber; ++number)
            list << slashed(catalogue::cardSound(number));
        for (int page = 1; page <= catalogue::albumPageCount; ++page)
            list << slashed(catalogue::albumNarration(page));
        return list;
    }();
    return names;
}

QString VoiceFolder::checkedName(const QString& relativePath) {
    const QString name = slashed(relativePath);
    if (!voiceNames().contains(name))
        throw VoiceRefused(QStringLiteral("« %1 » es pas una votz del jòc : sons_familles/1.mp3 "
                                          "a 56.mp3 o son_album/1.mp3 a 17.mp3")
                               .arg(relativePath));
    return name;
}

QString VoiceFolder::pathOf(const QString& name) const {
    return root_ + QLatin1Char('/') + name;
}

QString VoiceFolder::undoPathOf(const QString& name) const {
    return root_ + QLatin1Char('/') + undoFolder + QLatin1Char('/') + name;
}

void VoiceFolder::checkInside(const QString& path) const {
    const QString folder = QFileInfo(path).absolutePath();
    const QString canonicalRoot = QFileInfo(root_).canonicalFilePath();
    const QString canonicalFolder = QFileInfo(folder).canonicalFilePath();
    if (canonicalRoot.isEmpty() || canonicalFolder.isEmpty() ||
        !canonicalFolder.startsWith(canonicalRoot + QLatin1Char('/')))
        throw VoiceRefused(QStringLiteral("Lo dorsièr %1 es pas dins %2").arg(folder, root_));
}

int VoiceFolder::fillFromDefaultSet() {
    if (!QFileInfo::exists(defaultSet_ + QLatin1Char('/') + voiceNames().constFirst()))
        throw VoiceRefused(
            QStringLiteral("Las votz per defaut son introbablas dins %1").arg(defaultSet_));
    // The generated set is what "default voice" goes back to: it is never written.
    if (QFileInfo(root_).canonicalFilePath() == QFileInfo(defaultSet_).canonicalFilePath())
        throw VoiceRefused(QStringLiteral("%1 ten las votz per defaut, que se cambian pas : "
                                          "causissètz un autre dorsièr")
                               .arg(root_));
    int copied = 0;
    for (const QString& folder : assetFolders) {
        if (!QDir().mkpath(root_ + QLatin1Char('/') + folder))
            throw VoiceRefused(QStringLiteral("Impossible de crear %1/%2").arg(root_, folder));
        QDirIterator files(defaultSet_ + QLatin1Char('/') + folder, QDir::Files);
        while (files.hasNext()) {
            const QString name = folder + QLatin1Char('/') + QFileInfo(files.next()).fileName();
            checkInside(pathOf(name));
            if (QFileInfo(pathOf(name)).exists())
                continue;
            safewrite::write(pathOf(name), safewrite::read(files.filePath()));
            ++copied;
        }
    }
    return copied;
}

void VoiceFolder::write(const QString& name, const QByteArray& mp3) {
    const QString path = pathOf(name);
    checkInside(path);
    if (QFileInfo::exists(path)) {
        const QString undoPath = undoPathOf(name);
        if (!QDir().mkpath(QFileInfo(undoPath).absolutePath()))
            throw VoiceRefused(QStringLiteral("Impossible de crear %1").arg(undoPath));
        checkInside(undoPath);
        safewrite::write(undoPath, safewrite::read(path));
    }
    safewrite::write(path, mp3);
}

bool VoiceFolder::canUndo(const QString& name) const {
    return QFileInfo::exists(undoPathOf(name));
}

void VoiceFolder::undo(const QString& name) {
    const QString path = pathOf(name);
    const QString undoPath = undoPathOf(name);
    checkInside(path);
    checkInside(undoPath);
    const QByteArray previous = safewrite::read(undoPath);
    // The current file goes aside first, so a failure at any step loses neither version.
    const QString redoPath = undoPath + redoSuffix;
    safewrite::write(redoPath, safewrite::read(path));
    try {
        safewrite::write(path, previous);
    } catch (...) {
        QFile::remove(redoPath);
        throw;
    }
    if (!QFile::remove(undoPath) || !QFile::rename(redoPath, undoPath))
        throw VoiceRefused(
            QStringLiteral("Impossible de gardar la votz remplaçada dins %1").arg(undoPath));
}

void VoiceFolder::restoreDefault(const QString& name) {
    write(name, safewrite::read(defaultSet_ + QLatin1Char('/') + name));
}

bool VoiceFolder::isOwn(const QString& name) const {
    QFile own(pathOf(name));
    QFile generated(defaultSet_ + QLatin1Char('/') + name);
    if (!own.open(QIODevice::ReadOnly))
        return false;
    if (!generated.open(QIODevice::ReadOnly) || own.size() != generated.size())
        return true;
    return own.readAll() != generated.readAll();
}

int VoiceFolder::ownCount() const {
    int count = 0;
    for (const QString& name : voiceNames())
        count += isOwn(name) ? 1 : 0;
    return count;
}
