// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Files are replaced only by renames of files written aside, and only under the game's own names
// and the set's texts; what each replaced goes into the history first.
#include "sets/SetFolder.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "base/GameLock.h"
#include "sets/FolderLock.h"
#include "sets/RenameJournal.h"
#include "sets/SafeWrite.h"
#include "sets/SetLinks.h"
#include "sets/SetNames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <sys/stat.h>

namespace {

using setnames::isText;
using Stack = SetHistory::Stack;

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

Stack other(Stack stack) {
    return stack == Stack::Undo ? Stack::Redo : Stack::Undo;
}

SetRefused outside(const QString& path, const QString& root) {
    return SetRefused(QStringLiteral("Lo dorsièr %1 es pas dins %2").arg(path, root));
}

} // namespace

SetFolder::SetFolder(const QString& root, const QString& defaultSet)
    : root_(QDir(root).absolutePath()),
      defaultSet_(QDir::cleanPath(QDir(defaultSet).absolutePath())), history_(root_) {}

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

SetFolder::Content SetFolder::current(const QString& name) const {
    const QString path = pathOf(name);
    struct stat status = {};
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
    const FileOrigins origins = FileOrigins::load(root_);
    if (origins.contains(name))
        return {false, path, origins.of(name)};
    // A real file no record names is the class's recording only in an older version's set, which
    // kept no record; in a set that keeps one, it (or a link into a set other than its base) is
    // a copy the class did not make.
    const bool unmarked = S_ISLNK(status.st_mode) || FileOrigins::isKept(root_);
    return {false, path, unmarked ? FileOrigins::Origin::Revoiced : FileOrigins::Origin::Recorded};
}

QString SetFolder::aside(const QString& name, const Content& content) const {
    // A text the set did not have is read from its base again: the file goes.
    if (content.isDefault && isText(name))
        return {};
    const QString path = pathOf(name);
    safewrite::ensureFolder(root_, QFileInfo(name).path());
    return content.isDefault ? safewrite::linkAside(path, defaultSet_ + QLatin1Char('/') + name)
                             : safewrite::writeAside(path, safewrite::read(content.file));
}

void SetFolder::replace(const QString& name, const Content& content, Stack keepIn, int number) {
    replaceWith(name, keepIn, number,
                [this, &name, &content](const QString&) { return aside(name, content); });
    if (!isText(name))
        recordOrigins({{name, content.isDefault ? FileOrigins::Origin::Default : content.origin}});
}

void SetFolder::recordOrigins(const std::vector<std::pair<QString, FileOrigins::Origin>>& changed) {
    FileOrigins origins = FileOrigins::load(root_);
    for (const auto& [name, origin] : changed)
        origins.set(name, origin);
    origins.save(root_);
}

void SetFolder::replaceWith(const QString& name, Stack keepIn, int number,
                            const std::function<QString(const QString&)>& aside) {
    const QString path = pathOf(name);
    safewrite::ensureFolder(root_, QFileInfo(name).path());
    // The new file is whole on disk before anything else changes.
    const QString temporary = aside(path);
    QString step;
    try {
        step = history_.push(keepIn, name, current(name),
                             number > 0 ? number : history_.nextNumber(keepIn, {name}));
        if (!temporary.isEmpty())
            safewrite::publish(temporary, path);
        else if (QFileInfo::exists(path) && !QFile::remove(path))
            throw SetRefused(QStringLiteral("Impossible de levar %1").arg(path));
    } catch (...) {
        if (!temporary.isEmpty())
            QFile::remove(temporary);
        if (!step.isEmpty())
            QFile::remove(step);
        throw;
    }
    history_.prune(keepIn, name);
}

void SetFolder::write(const QString& name, const QByteArray& bytes, FileOrigins::Origin origin) {
    // Nothing but the set's own files is ever written, under the names the game reads.
    const QString voice = checkedFileName(name);
    checkNotInDefaultSet();
    const FolderLock lock(root_);
    replaceWith(voice, Stack::Undo, 0,
                [&bytes](const QString& path) { return safewrite::writeAside(path, bytes); });
    recordOrigins({{voice, origin}});
}

void SetFolder::commit(const std::vector<Change>& changes,
                       const std::vector<std::pair<QString, QByteArray>>& plain) {
    if (changes.empty() && plain.empty())
        return;
    std::vector<RenameJournal::Rename> staged;
    std::vector<std::pair<QString, FileOrigins::Origin>> origins;
    QStringList names;
    for (const Change& change : changes) {
        origins.emplace_back(checkedFileName(change.name), change.origin);
        names << origins.back().first;
    }
    for (const auto& [name, bytes] : plain) {
        if (!isText(name) || name.count(QLatin1Char('/')) != 1 ||
            name.contains(QStringLiteral("..")))
            throw outside(name, root_);
        names << name;
    }
    checkNotInDefaultSet();
    const FolderLock lock(root_);
    // Every file of the change is one step of the history, undone and redone together.
    const int number = history_.nextNumber(Stack::Undo, names);
    QStringList pushed;
    try {
        for (std::size_t i = 0; i < changes.size(); ++i) {
            safewrite::ensureFolder(root_, QFileInfo(origins[i].first).path());
            const QString path = pathOf(origins[i].first);
            staged.push_back({safewrite::writeAside(path, changes[i].bytes), path});
        }
        for (const auto& [name, bytes] : plain) {
            safewrite::ensureFolder(root_, QFileInfo(name).path());
            staged.push_back({safewrite::writeAside(pathOf(name), bytes), pathOf(name)});
        }
        for (const QString& name : names)
            pushed << history_.push(Stack::Undo, name, current(name), number);
        history_.joinAsOne(Stack::Undo, number, names);
    } catch (...) {
        for (const RenameJournal::Rename& rename : staged)
            QFile::remove(rename.temporary);
        for (const QString& step : pushed)
            QFile::remove(step);
        throw;
    }
    // Only renames are left, within the set's own folders, finished at the next start if killed.
    try {
        RenameJournal::publishAll(root_, staged);
    } catch (...) {
        forgetSteps(pushed);
        throw;
    }
    recordOrigins(origins);
    for (const QString& name : names)
        history_.prune(Stack::Undo, name);
}

void SetFolder::forgetSteps(const QStringList& pushed) const {
    // A list of renames left behind is finished at the next start: its steps stay with it.
    if (!QFileInfo::exists(root_ + QLatin1Char('/') + RenameJournal::fileName))
        for (const QString& step : pushed)
            QFile::remove(step);
}

bool SetFolder::canUndo(const QString& name) const {
    return !history_.steps(Stack::Undo, name).isEmpty();
}

bool SetFolder::canRedo(const QString& name) const {
    return !history_.steps(Stack::Redo, name).isEmpty();
}

QStringList SetFolder::undo(const QString& name) {
    return step(name, Stack::Undo);
}

QStringList SetFolder::redo(const QString& name) {
    return step(name, Stack::Redo);
}

QStringList SetFolder::step(const QString& name, Stack from) {
    // Nothing but the set's own files is ever written, under the names the game reads.
    const QString file = checkedStepName(name);
    checkNotInDefaultSet();
    const FolderLock lock(root_);
    if (history_.steps(from, file).isEmpty())
        throw SetRefused((from == Stack::Undo ? QStringLiteral("Pas res de desfar per %1")
                                              : QStringLiteral("Pas res de tornar far per %1"))
                             .arg(name));
    // Every file the change touched steps back together; what each step replaces goes on the
    // other stack as one change, so that it can come back in turn.
    QStringList names = history_.changeOf(from, file);
    const int change = SetHistory::numberOf(history_.steps(from, file).constLast());
    // A text the change touched and a later change touched again steps back by its rows alone.
    QStringList since;
    for (const QString& text : history_.namesOf(from, change))
        if (isText(text) && !names.contains(text))
            since << text;
    const int number = history_.nextNumber(other(from), names + since);
    // Every file is made aside and its present kept on the other stack before any is renamed.
    std::vector<RenameJournal::Rename> renames;
    std::vector<std::pair<QString, FileOrigins::Origin>> origins;
    QStringList done, pushed;
    try {
        for (const QString& changed : names) {
            const QString last = history_.steps(from, changed).constLast();
            const Content content = SetHistory::contentOf(last);
            renames.push_back({aside(changed, content), pathOf(changed)});
            pushed << history_.push(other(from), changed, current(changed), number);
            done << last;
            if (!isText(changed))
                origins.emplace_back(changed, content.isDefault ? FileOrigins::Origin::Default
                                                                : content.origin);
        }
        for (const QString& text : since) {
            const Content now = current(text);
            const SetHistory::RowsBack back = history_.rowsBack(
                from, text, change, now.isDefault ? QByteArray() : safewrite::read(now.file));
            if (back.step.isEmpty())
                continue;
            renames.push_back({safewrite::writeAside(pathOf(text), back.text), pathOf(text)});
            for (const auto& [step, bytes] : back.later)
                renames.push_back({safewrite::writeAside(step, bytes), step});
            pushed << history_.push(other(from), text, now, number);
            done << back.step;
            names << text;
        }
    } catch (...) {
        for (const RenameJournal::Rename& rename : renames)
            if (!rename.temporary.isEmpty())
                QFile::remove(rename.temporary);
        forgetSteps(pushed);
        throw;
    }
    try {
        RenameJournal::publishAll(root_, renames);
    } catch (...) {
        forgetSteps(pushed);
        throw;
    }
    for (const QString& step : done)
        history_.drop(from, step);
    recordOrigins(origins);
    for (const QString& changed : names)
        history_.prune(other(from), changed);
    history_.joinAsOne(other(from), number, names);
    return names;
}

void SetFolder::restoreDefault(const QString& name) {
    // Nothing but the set's own files is ever written, under the names the game reads.
    const QString voice = checkedFileName(name);
    checkNotInDefaultSet();
    const FolderLock lock(root_);
    if (!current(voice).isDefault)
        replace(voice, {}, Stack::Undo, 0);
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

int SetFolder::fillFromDefaultSet() {
    if (!QFileInfo::exists(defaultSet_ + QLatin1Char('/') + voiceNames().constFirst()))
        throw SetRefused(
            QStringLiteral("Las votz per defaut son introbablas dins %1").arg(defaultSet_));
    checkNotInDefaultSet();
    if (!QDir().mkpath(root_))
        throw SetRefused(QStringLiteral("Impossible de crear %1").arg(root_));
    const FolderLock lock(root_);
    // A change a kill interrupted between its renames is finished: all of it lands.
    RenameJournal::finish(root_);
    history_.moveOlder(voiceNames());
    const bool convert = !FileOrigins::isKept(root_);
    SetLinks links(root_, defaultSet_);
    int made = 0;
    // The game's phrases too, when the base has them: the set then plays them from its folder.
    for (const QString& folder : catalogue::carriedFolders())
        made += links.linkFolder(folder, convert);
    links.clearTemporaries(catalogue::textsFolder);
    links.linkBaseTexts();
    links.keepOwnRows();
    if (convert)
        links.recordOlderOrigins([this](const QString& name) { return current(name).isDefault; });
    // The game holds the set it plays through this file, so a whole-set import waits for it.
    const QString gameLock = root_ + QLatin1Char('/') + gamelock::fileName;
    if (!QFileInfo::exists(gameLock))
        safewrite::write(gameLock, {});
    return made;
}
