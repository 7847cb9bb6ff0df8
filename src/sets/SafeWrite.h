// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a file so that it is either wholly the old one or wholly the new one.
#pragma once

#include <QByteArray>
#include <QString>

namespace safewrite {

// Writes a temporary file beside path, syncs it to disk, renames it over path and syncs the
// folder. Throws SetRefused, with path left as it was, when any step fails (full disk, no right
// to write); the temporary file is removed.
void write(const QString& path, const QByteArray& bytes);
// The first half of write(): the bytes synced in a temporary file beside path, whose name is
// returned; publish() renames it over path. Both throw SetRefused and leave no temporary file.
QString writeAside(const QString& path, const QByteArray& bytes);
// A symbolic link to target, made aside the same way.
QString linkAside(const QString& path, const QString& target);
// syncFolder false leaves syncing the folder to the caller, once for many files (syncFolderOf).
void publish(const QString& temporary, const QString& path, bool syncFolder = true);
void syncFolderOf(const QString& path);
// A new file written without syncing, for a folder synced whole at the end (syncFileSystemOf);
// throws SetRefused.
void writeUnsynced(const QString& path, const QByteArray& bytes);
// Everything written on the file system that holds path reaches the disk: one call for a
// whole new set rather than one a file. Throws SetRefused.
void syncFileSystemOf(const QString& path);
// The file's bytes; throws SetRefused when it cannot be read.
QByteArray read(const QString& path);
// Makes the folder below root (a relative path) step by step, refusing any step that leads
// outside root (a link out, "..") before anything is created. Returns its absolute path; throws
// SetRefused.
QString ensureFolder(const QString& root, const QString& relative);
// The name pattern of the temporary files, which a writer may clear when none is running.
bool isTemporary(const QString& fileName);

} // namespace safewrite
