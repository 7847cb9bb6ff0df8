// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one parser of the text files of data/, for the generator and the recorder; it refuses
// anything malformed.
#pragma once

#include "assets/Content.h"
#include "assets/ContentLine.h"
#include "assets/TextLayers.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace content {

class ContentReader {
public:
    // Reads familles.txt and album.txt from the folder. Throws EFOpenError when a file cannot
    // be read and EReadError, naming the file and line, when its content is wrong.
    static Content read(const QString& dataDir);

    // Without problems, the first line that breaks a rule throws EReadError. With problems, each
    // such line is added to it (file, line and why) and left out, and the rest is read: a
    // damaged line never empties the others.
    static std::vector<Family> parseFamilies(const QString& text, const QString& fileName,
                                             QStringList* problems = nullptr);
    static std::vector<AlbumPage> parsePages(const QString& text, const QString& fileName,
                                             QStringList* problems = nullptr);
    // The same of a set's file read through its layers (TextLayers): each line named by the file
    // it comes from, the file as a whole by fileName.
    static std::vector<Family> parseFamilies(const TextLayers::Lines& lines,
                                             const QString& fileName,
                                             QStringList* problems = nullptr);
    static std::vector<AlbumPage> parsePages(const TextLayers::Lines& lines,
                                             const QString& fileName,
                                             QStringList* problems = nullptr);
    // The text of a set's file by the set's rules (TextsReader); throws EFOpenError or EReadError.
    static QString readTextFile(const QString& path);
    // What each voice of the content says, in the order the album and the families come: its
    // "say" text, or else its words.
    static std::vector<std::pair<QString, QString>> spokenTexts(const Content& content);

private:
    static std::vector<Family> families(const std::vector<ContentLine>& lines,
                                        const QString& fileName, QStringList* problems);
    static std::vector<AlbumPage> pages(const std::vector<ContentLine>& lines,
                                        const QString& fileName, QStringList* problems);
};

} // namespace content
