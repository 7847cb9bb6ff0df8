// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The set the recorder works on: its 73 voices, own or default, written safely with several
// steps of history, under the folder's lock. The user's set holds only what the user changed;
// every other file is a link to the installed default set.
#pragma once

#include "assets/Catalogue.h"
#include "sets/FileOrigins.h"
#include "sets/SetHistory.h"
#include "sets/SetNames.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

class SetFolder {
public:
    static constexpr int voiceCount = catalogue::voiceCount;

    // root: the folder written to; defaultSet: the installed default asset folder, read only.
    SetFolder(const QString& root, const QString& defaultSet);

    // The 73 voice names the game reads ("sons_familles/1.mp3" ... then "son_album/17.mp3").
    static const QStringList& voiceNames() { return catalogue::voiceNames(); }
    // The names of the files the folder may write (SetNames).
    static QString checkedName(const QString& relativePath) {
        return setnames::checkedName(relativePath);
    }
    static QString checkedFileName(const QString& relativePath) {
        return setnames::checkedFileName(relativePath);
    }
    static QString checkedStepName(const QString& relativePath) {
        return setnames::checkedStepName(relativePath);
    }

    const QString& root() const { return root_; }
    const QString& defaultSet() const { return defaultSet_; }
    QString pathOf(const QString& name) const;

    // Makes the folder a whole set: every file of the default set it lacks (or whose link no
    // longer leads anywhere, or leads to another base set) becomes a link to it. A real file is
    // the class's and stays, whatever it equals; only the first fill of an older version's set
    // turns copies equal to the default byte for byte (a full copy of 1.0) into links, and
    // records that it did. Each file appears at once, and a set missing any file is not used by
    // the launcher. Returns the number of links made; throws SetRefused, refusing any folder
    // inside the default set.
    int fillFromDefaultSet();

    // Replaces a voice or picture; the file it replaces goes into its history once the new one
    // is in place. A failure leaves the file and its history as they were.
    void write(const QString& name, const QByteArray& bytes,
               FileOrigins::Origin origin = FileOrigins::Origin::Recorded);
    struct Change {
        QString name;
        QByteArray bytes;
        FileOrigins::Origin origin;
    };
    // Several files changed as one step: every file is written aside first, then all are renamed
    // in place under the lock, as one step of history that undo and redo take whole. plain are
    // files of the set's texts ("textes/familles.txt"). Any failure before the renames leaves
    // every file as it was. Throws SetRefused.
    void commit(const std::vector<Change>& changes,
                const std::vector<std::pair<QString, QByteArray>>& plain = {});
    bool canUndo(const QString& name) const;
    // Puts back the file before its last change, with every other file that change touched; the
    // undone change can come back through redo(). Returns the files stepped.
    QStringList undo(const QString& name);
    bool canRedo(const QString& name) const;
    QStringList redo(const QString& name);
    // The default voice again (a link to it), the replaced one kept in the history.
    void restoreDefault(const QString& name);
    // The file is the class's own: recorded, imported or drawn (not the default, nor a synthetic
    // voice made again from a changed word).
    bool isOwn(const QString& name) const;
    // The file is not the default set's (the class's own, or made again from its words).
    bool isChanged(const QString& name) const;
    FileOrigins::Origin origin(const QString& name) const;
    // The voices that are the class's own.
    int ownCount() const;

private:
    using Stack = SetHistory::Stack;
    using Content = SetHistory::Content;

    // Undo (from the undo stack) or redo (from the redo stack): the last change taken back.
    QStringList step(const QString& name, Stack from);
    // The history steps a change pushed before it failed go, unless its renames are listed.
    void forgetSteps(const QStringList& pushed) const;
    // The file as content has it, written aside (safewrite); an empty name when the file goes.
    QString aside(const QString& name, const Content& content) const;
    void checkNotInDefaultSet() const;
    Content current(const QString& name) const;
    // The file becomes content; what it was is pushed on the given stack, as step number (0: the
    // next free).
    void replace(const QString& name, const Content& content, Stack keepIn, int number);
    // aside(path) writes the new file beside path and returns the temporary file's name; an
    // empty name removes the file.
    void replaceWith(const QString& name, Stack keepIn, int number,
                     const std::function<QString(const QString&)>& aside);
    void recordOrigins(const std::vector<std::pair<QString, FileOrigins::Origin>>& changed);

    QString root_;
    QString defaultSet_;
    SetHistory history_;
};
