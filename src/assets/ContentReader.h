// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one parser of the text files of data/, for the generator and the recorder; it refuses
// anything malformed.
#pragma once

#include "assets/Content.h"

#include <QString>
#include <utility>
#include <vector>

namespace content {

class ContentReader {
public:
    // Reads familles.txt and album.txt from the folder. Throws EFOpenError when a file cannot
    // be read and EReadError, naming the file and line, when its content is wrong.
    static Content read(const QString& dataDir);

    static std::vector<Family> parseFamilies(const QString& text, const QString& fileName);
    static std::vector<AlbumPage> parsePages(const QString& text, const QString& fileName);
    // The text of a UTF-8 file; throws EFOpenError, or EReadError for bytes that are not UTF-8.
    static QString readTextFile(const QString& path);
    // What each voice of the content says, in the order the album and the families come: its
    // "say" text, or else its words.
    static std::vector<std::pair<QString, QString>> spokenTexts(const Content& content);
};

} // namespace content
