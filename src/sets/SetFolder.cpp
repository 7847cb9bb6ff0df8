// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Voice files are replaced only by renames of files written aside, and only under the game's own
// names; history steps are hard links to the replaced files, so keeping one costs no copy.
#include "sets/SetFolder.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "base/GameLock.h"
#include "sets/FolderLock.h"
#include "sets/SafeWrite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMultiHash>
#include <QRegularExpression>
#include <cerrno>
#include <climits>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Histories are kept apart from the four folders, where the game and the checker look.
const QString undoFolder = QStringLiteral(".desfar");
const QString redoFolder = QStringLiteral(".refar");
const QString ownStep = QStringLiteral(".mp3");
const QString defaultStep = QStringLiteral(".default"); // the voice was the default one
constexpr int stepDigits = 6;
// A step of an older version has no origin in its name: it was recorded.
const QRegularExpression
    stepName(QStringLiteral("^\\d{%1}(\\.(recorded|imported|drawn|revoiced))?\\.(mp3|default)$")
                 .arg(stepDigits));
const QString olderSyntheticMark = QStringLiteral(" | sintetica");

using catalogue::slashed;

bool isInside(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// The canonical form of a path that may not exist yet: that of its nearest existing ancestor,
// followed by the rest.
QString canonicalFuture(const QString& path) {
    QString head = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(head) && head != QLatin1String("/")) {
        rest = QLatin1Char('/') + QFileInfo(head).fileName() + rest;
        head = QFileInfo(head).absolutePath();
    }
    return QDir::cleanPath(QFileInfo(head).canonicalFilePath() + rest);
}

bool statOf(const QString& path, struct stat& status) {
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

QString linkTarget(const QString& path) {
    char target[PATH_MAX];
    const ssize_t length = ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
    return length < 0 ? QString() : QFile::decodeName(QByteArray(target, length));
}

bool sameBytes(const QString& one, const QString& other) {
    QFile a(one), b(other);
    return a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.size() == b.size() &&
           a.readAll() == b.readAll();
}

// The voices earlier versions installed, by name: a copy of one is a default, not the user's.
bool isEarlierDefault(const QString& name, const QString& path) {
    static const QMultiHash<QString, QByteArray> earlier = [] {
        QMultiHash<QString, QByteArray> hashes;
        QFile list(QStringLiteral(":/voices/earlier-defaults.txt"));
        if (list.open(QIODevice::ReadOnly))
            for (const QByteArray& line : list.readAll().split('\n'))
                if (const QList<QByteArray> fields = line.simplified().split(' ');
                    fields.size() == 2 && !line.startsWith('#'))
                    hashes.insert(QString::fromUtf8(fields[1]), QByteArray::fromHex(fields[0]));
        return hashes;
    }();
    if (!earlier.contains(name))
        return false;
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) &&
           earlier.values(name).contains(hash.result());
}

SetRefused outside(const QString& path, const QString& root) {
    return SetRefused(QStringLiteral("Lo dorsièr %1 es pas dins %2").arg(path, root));
}

} // namespace

SetFolder::SetFolder(const QString& root, const QString& defaultSet)
    : root_(QDir(root).absolutePath()),
      defaultSet_(QDir::cleanPath(QDir(defaultSet).absolutePath())) {}

QString SetFolder::checkedName(const QString& relativePath) {
    const QString name = slashed(relativePath);
    if (!voiceNames().contains(name))
        throw SetRefused(QStringLiteral("« %1 » es pas una votz del jòc : sons_familles/1.mp3 "
                                        "a 56.mp3 o son_album/1.mp3 a 17.mp3")
                             .arg(relativePath));
    return name;
}

QString SetFolder::checkedFileName(const QString& relativePath) {
    const QString name = slashed(relativePath);
    return catalogue::pictureNames().contains(name) ? name : checkedName(relativePath);
}

QString SetFolder::pathOf(const QString& name) const {
    return root_ + QLatin1Char('/') + name;
}

void SetFolder::checkNotInDefaultSet() const {
    // The installed set is what "default voice" goes back to: nothing in it is ever written.
    const QString defaults = QFileInfo(defaultSet_).canonicalFilePath();
    if (!defaults.isEmpty() && isInside(canonicalFuture(root_), defaults))
        throw SetRefused(QStringLiteral("%1 es dins lo jòc per defaut (%2), que se cambia pas : "
                                        "causissètz un autre dorsièr")
                             .arg(root_, defaultSet_));
}

QString SetFolder::ensureFolder(const QString& relative) const {
    const QString top = QFileInfo(root_).canonicalFilePath();
    if (top.isEmpty())
        throw SetRefused(QStringLiteral("Lo dorsièr %1 es introbable").arg(root_));
    QString at = top;
    for (const QString& part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            throw outside(relative, root_);
        at += QLatin1Char('/') + part;
        struct stat status {};
        if (!statOf(at, status)) {
            if (errno != ENOENT ||
                (::mkdir(QFile::encodeName(at).constData(), 0755) != 0 && errno != EEXIST))
                throw SetRefused(QStringLiteral("Impossible de crear %1").arg(at));
            continue;
        }
        // A link is followed only when it stays inside the set.
        if (S_ISLNK(status.st_mode) && !isInside(QFileInfo(at).canonicalFilePath(), top))
            throw outside(at, root_);
        if (!QFileInfo(at).isDir())
            throw outside(at, root_);
    }
    return at;
}

QString SetFolder::stackFolder(Stack stack, const QString& name) const {
    const QString stem = name.left(name.size() - ownStep.size());
    return (stack == Stack::Undo ? undoFolder : redoFolder) + QLatin1Char('/') + stem;
}

QStringList SetFolder::steps(Stack stack, const QString& name) const {
    QStringList found;
    const QDir dir(root_ + QLatin1Char('/') + stackFolder(stack, name));
    for (const QString& entry : dir.entryList(QDir::Files | QDir::System, QDir::Name))
        if (stepName.match(entry).hasMatch())
            found << dir.filePath(entry);
    return found;
}

SetFolder::Content SetFolder::current(const QString& name) const {
    const QString path = pathOf(name);
    struct stat status {};
    if (!statOf(path, status))
        return {};
    if (S_ISLNK(status.st_mode)) {
        const QString defaultFile = defaultSet_ + QLatin1Char('/') + name;
        // The links the fill makes name the default file as it is; others are resolved.
        if (QFile::symLinkTarget(path) == defaultFile && QFileInfo::exists(defaultFile))
            return {};
        const QString target = QFileInfo(path).canonicalFilePath();
        if (target.isEmpty() || target == QFileInfo(defaultFile).canonicalFilePath())
            return {};
    }
    // A real file no record names is of an older version's set: the class's recording.
    const FileOrigins origins = FileOrigins::load(root_);
    return {false, path, origins.contains(name) ? origins.of(name) : FileOrigins::Origin::Recorded};
}

QString SetFolder::pushStep(Stack stack, const QString& name, const Content& content) {
    const QString dir = ensureFolder(stackFolder(stack, name));
    const QStringList existing = steps(stack, name);
    const int number = existing.isEmpty() ? 1 : QFileInfo(existing.last()).baseName().toInt() + 1;
    const QString step =
        QStringLiteral("%1/%2%3")
            .arg(dir)
            .arg(number, stepDigits, 10, QLatin1Char('0'))
            .arg(content.isDefault
                     ? defaultStep
                     : QLatin1Char('.') + FileOrigins::word(content.origin) + ownStep);
    if (content.isDefault)
        safewrite::write(step, {});
    else if (::link(QFile::encodeName(content.file).constData(),
                    QFile::encodeName(step).constData()) != 0)
        safewrite::write(step, safewrite::read(content.file)); // no hard links here: a copy
    return step;
}

void SetFolder::pruneSteps(Stack stack, const QString& name) {
    const QStringList kept = steps(stack, name);
    for (qsizetype i = 0; i + historySteps < kept.size(); ++i)
        QFile::remove(kept[i]);
}

void SetFolder::replace(const QString& name, const Content& content, Stack keepIn) {
    replaceWith(name, keepIn, [this, &name, &content](const QString& path) {
        return content.isDefault ? safewrite::linkAside(path, defaultSet_ + QLatin1Char('/') + name)
                                 : safewrite::writeAside(path, safewrite::read(content.file));
    });
    recordOrigins({{name, content.isDefault ? FileOrigins::Origin::Default : content.origin}});
}

void SetFolder::recordOrigins(const std::vector<std::pair<QString, FileOrigins::Origin>>& changed) {
    FileOrigins origins = FileOrigins::load(root_);
    for (const auto& [name, origin] : changed)
        origins.set(name, origin);
    origins.save(root_);
}

void SetFolder::replaceWith(const QString& name, Stack keepIn,
                            const std::function<QString(const QString&)>& aside) {
    const QString path = pathOf(name);
    ensureFolder(QFileInfo(name).path());
    // The new voice is whole on disk before anything else changes.
    const QString temporary = aside(path);
    QString step;
    try {
        step = pushStep(keepIn, name, current(name));
        safewrite::publish(temporary, path);
    } catch (...) {
        QFile::remove(temporary);
        if (!step.isEmpty())
            QFile::remove(step);
        throw;
    }
    pruneSteps(keepIn, name);
}

void SetFolder::write(const QString& name, const QByteArray& bytes, FileOrigins::Origin origin) {
    // Nothing but the set's own files is ever written, under the names the game reads.
    const QString voice = checkedFileName(name);
    checkNotInDefaultSet();
    const FolderLock lock(root_);
    replaceWith(voice, Stack::Undo,
                [&bytes](const QString& path) { return safewrite::writeAside(path, bytes); });
    recordOrigins({{voice, origin}});
}

void SetFolder::commit(const std::vector<Change>& changes,
                       const std::vector<std::pair<QString, QByteArray>>& plain) {
    if (changes.empty() && plain.empty())
        return;
    std::vector<std::pair<QString, QString>> staged; // temporary file, final path
    std::vector<std::pair<QString, FileOrigins::Origin>> origins;
    for (const Change& change : changes)
        origins.emplace_back(checkedFileName(change.name), change.origin);
    for (const auto& [name, bytes] : plain)
        if (!name.startsWith(catalogue::textsFolder + QLatin1Char('/')) ||
            name.count(QLatin1Char('/')) != 1 || name.contains(QStringLiteral("..")))
            throw outside(name, root_);
    checkNotInDefaultSet();
    const FolderLock lock(root_);
    QStringList pushed;
    try {
        for (std::size_t i = 0; i < changes.size(); ++i) {
            ensureFolder(QFileInfo(origins[i].first).path());
            const QString path = pathOf(origins[i].first);
            staged.emplace_back(safewrite::writeAside(path, changes[i].bytes), path);
        }
        for (const auto& [name, bytes] : plain) {
            ensureFolder(QFileInfo(name).path());
            staged.emplace_back(safewrite::writeAside(pathOf(name), bytes), pathOf(name));
        }
        for (const auto& [name, origin] : origins)
            pushed << pushStep(Stack::Undo, name, current(name));
    } catch (...) {
        for (const auto& [temporary, path] : staged)
            QFile::remove(temporary);
        for (const QString& step : pushed)
            QFile::remove(step);
        throw;
    }
    // Only renames are left, within the set's own folders.
    QStringList folders;
    for (const auto& [temporary, path] : staged) {
        safewrite::publish(temporary, path, false);
        if (!folders.contains(QFileInfo(path).absolutePath()))
            folders << QFileInfo(path).absolutePath();
    }
    for (const QString& folder : folders)
        safewrite::syncFolderOf(folder + QStringLiteral("/."));
    recordOrigins(origins);
    for (const auto& [name, origin] : origins)
        pruneSteps(Stack::Undo, name);
}

bool SetFolder::canUndo(const QString& name) const {
    return !steps(Stack::Undo, name).isEmpty();
}

bool SetFolder::canRedo(const QString& name) const {
    return !steps(Stack::Redo, name).isEmpty();
}

void SetFolder::undo(const QString& name) {
    step(name, Stack::Undo);
}

void SetFolder::redo(const QString& name) {
    step(name, Stack::Redo);
}

void SetFolder::step(const QString& name, Stack from) {
    // Nothing but the set's own files is ever written, under the names the game reads.
    const QString file = checkedFileName(name);
    checkNotInDefaultSet();
    const FolderLock lock(root_);
    const QStringList kept = steps(from, file);
    if (kept.isEmpty())
        throw SetRefused((from == Stack::Undo ? QStringLiteral("Res de desfar per %1")
                                              : QStringLiteral("Res de tornar far per %1"))
                             .arg(name));
    // What the step replaces goes on the other stack, so that it can come back in turn.
    const QStringList parts = QFileInfo(kept.last()).fileName().split(QLatin1Char('.'));
    replace(file,
            {kept.last().endsWith(defaultStep), kept.last(),
             parts.size() == 3 ? FileOrigins::fromWord(parts[1]) : FileOrigins::Origin::Recorded},
            from == Stack::Undo ? Stack::Redo : Stack::Undo);
    QFile::remove(kept.last());
}

void SetFolder::restoreDefault(const QString& name) {
    // Nothing but the set's own files is ever written, under the names the game reads.
    const QString voice = checkedFileName(name);
    checkNotInDefaultSet();
    const FolderLock lock(root_);
    if (!current(voice).isDefault)
        replace(voice, {}, Stack::Undo);
}

bool SetFolder::isOwn(const QString& name) const {
    const Content content = current(name);
    return !content.isDefault && FileOrigins::isClassOwn(content.origin);
}

bool SetFolder::isChanged(const QString& name) const {
    return !current(name).isDefault;
}

FileOrigins::Origin SetFolder::origin(const QString& name) const {
    return current(name).origin;
}

int SetFolder::ownCount() const {
    int count = 0;
    for (const QString& name : voiceNames())
        count += isOwn(name) ? 1 : 0;
    return count;
}

void SetFolder::moveOlderHistory() {
    // Version 1.0 kept one replaced file per voice, as .desfar/<folder>/<n>.mp3.
    for (const QString& name : voiceNames()) {
        const QString older = root_ + QLatin1Char('/') + undoFolder + QLatin1Char('/') + name;
        if (!QFileInfo(older).isFile() || !steps(Stack::Undo, name).isEmpty())
            continue;
        const QString dir = ensureFolder(stackFolder(Stack::Undo, name));
        QFile::rename(older, QStringLiteral("%1/%2%3")
                                 .arg(dir)
                                 .arg(1, stepDigits, 10, QLatin1Char('0'))
                                 .arg(ownStep));
    }
}

int SetFolder::linkDefaults(const QString& folder, bool convert) {
    const QString dir = ensureFolder(folder);
    const QDir here(dir);
    // Temporary files of a writer that was killed: none runs while this one holds the lock.
    for (const QString& entry : here.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (safewrite::isTemporary(entry))
            QFile::remove(here.filePath(entry));
    int made = 0;
    const QDir defaults(defaultSet_ + QLatin1Char('/') + folder);
    // A copy equal to a class set's own file is the class's too (it was exported from here).
    const FileOrigins baseOrigins = FileOrigins::load(defaultSet_);
    for (const QString& file : defaults.entryList(QDir::Files)) {
        const QString path = here.filePath(file);
        const QString target = defaults.filePath(file);
        struct stat status {};
        const bool present = statOf(path, status);
        const bool replaceable =
            !present || (S_ISLNK(status.st_mode) && !QFileInfo::exists(path)) ||
            // a link to another base set (the class set came or went)
            (S_ISLNK(status.st_mode) && linkTarget(path) != target) ||
            (convert && S_ISREG(status.st_mode) &&
             !baseOrigins.contains(folder + QLatin1Char('/') + file) &&
             (sameBytes(path, target) || isEarlierDefault(folder + QLatin1Char('/') + file, path)));
        if (!replaceable)
            continue;
        // A new link appears whole by itself; one that replaces a file is made aside first.
        if (present || ::symlink(QFile::encodeName(target).constData(),
                                 QFile::encodeName(path).constData()) != 0)
            safewrite::publish(safewrite::linkAside(path, target), path, false);
        ++made;
    }
    if (made > 0)
        safewrite::syncFolderOf(here.filePath(QStringLiteral(".")));
    return made;
}

int SetFolder::fillFromDefaultSet() {
    if (!QFileInfo::exists(defaultSet_ + QLatin1Char('/') + voiceNames().constFirst()))
        throw SetRefused(
            QStringLiteral("Las votz per defaut son introbablas dins %1").arg(defaultSet_));
    checkNotInDefaultSet();
    if (!QDir().mkpath(root_))
        throw SetRefused(QStringLiteral("Impossible de crear %1").arg(root_));
    const FolderLock lock(root_);
    moveOlderHistory();
    const bool convert = !FileOrigins::isKept(root_);
    int made = 0;
    // The game's phrases too, when the base has them: the set then plays them from its folder.
    for (const QString& folder : catalogue::carriedFolders())
        made += linkDefaults(folder, convert);
    if (convert)
        recordOlderOrigins();
    // The game holds the set it plays through this file, so a whole-set import waits for it.
    const QString gameLock = root_ + QLatin1Char('/') + gamelock::fileName;
    if (!QFileInfo::exists(gameLock))
        safewrite::write(gameLock, {});
    return made;
}

void SetFolder::recordOlderOrigins() {
    // Version 1.0 marked the voices it spoke again from a changed word in the texts' marks.
    QFile marks(root_ + QLatin1Char('/') + catalogue::textName(catalogue::voiceMarksText));
    const QString older =
        marks.open(QIODevice::ReadOnly) ? QString::fromUtf8(marks.readAll()) : QString();
    FileOrigins origins;
    for (const char* folder : catalogue::assetFolders)
        for (const QString& file : QDir(pathOf(QLatin1String(folder))).entryList(QDir::Files)) {
            const QString name = QLatin1String(folder) + QLatin1Char('/') + file;
            if (current(name).isDefault || safewrite::isTemporary(file))
                continue;
            origins.set(name, !name.endsWith(ownStep) ? FileOrigins::Origin::Drawn
                              : older.contains(name + olderSyntheticMark)
                                  ? FileOrigins::Origin::Revoiced
                                  : FileOrigins::Origin::Recorded);
        }
    origins.save(root_);
}
