// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The list an exported set carries: its format, the set it was based on, and each file it holds
// with its origin and hash, so that an archive is a set or is refused.
#pragma once

#include "sets/FileOrigins.h"
#include "sets/SetArchive.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace setmanifest {

// The manifest's name inside the archive, and the format this version writes and reads.
inline const QString fileName = QStringLiteral("mirabosc-joc.txt");
constexpr int formatVersion = 1;

struct File {
    QString name;
    QByteArray bytes;
    FileOrigins::Origin origin = FileOrigins::Origin::Default; // for texts and drawings
};

// base: what the exported set was based on ("installat" or "classa").
QByteArray write(const QString& base, const std::vector<File>& files);

// The origins an archive's files carry, after checking that its manifest names exactly its
// files, each with the right hash. An archive without a manifest (exported by an earlier
// version) must hold at least one file of the set, and whole texts if any; its voices count as
// recorded and its pictures as drawn. Throws SetRefused with what is wrong.
FileOrigins verify(const std::vector<setarchive::Entry>& entries);

} // namespace setmanifest
