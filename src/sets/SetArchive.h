// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A set in one zip file, to carry a class's set to other computers: written and read through
// libarchive, every entry checked and capped before a byte of it is kept.
#pragma once

#include "assets/Catalogue.h"
#include "sets/FileOrigins.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace setarchive {

// A hostile header may declare any size: these caps are checked on the declared sizes first,
// then on the bytes really read.
constexpr qint64 entryCapBytes = 8 * 1024 * 1024;
constexpr qint64 totalCapBytes = 160 * 1024 * 1024;
constexpr int entryCountCap = 256;

// The set's texts, in the format of data/, kept in this folder of the set.
using catalogue::textsFolder;

struct Entry {
    QString name; // relative, with "/" (as "img_familles/12.bmp" or "textes/familles.txt")
    QByteArray bytes;
};

// The names an archive may hold: the files of the installed set's four folders, the texts, the
// drawings and the manifest.
bool isSetEntry(const QString& name, const QString& installed);
struct Changed {
    QString name;
    FileOrigins::Origin origin; // Default for texts and drawings
};
// The set's files the class changed (by their marks) or that differ from the installed set,
// its texts and its drawings.
std::vector<Changed> changedFiles(const QString& set, const QString& installed);
// Writes those files and their manifest into a zip at path, the old file at path kept until
// the new one is whole. Returns how many went in; throws SetRefused, also for a set with no
// change at all.
int write(const QString& set, const QString& installed, const QString& path);
// Every entry of the archive, all read before any is returned. Throws SetRefused for a file
// that is not a regular zip, a damaged one, or any entry that is not a plain file of the set
// (absolute, "..", links, devices, unknown names, twice the same name) or goes over a cap.
std::vector<Entry> read(const QString& path, const QString& installed);

} // namespace setarchive
