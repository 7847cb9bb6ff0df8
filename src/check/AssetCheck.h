// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Checking an asset folder: every file the program can ask for, and the size each picture is shown.
#pragma once

#include <QSize>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace assetcheck {

enum class Kind { AlbumPage, Miniature, SmallCard, LargeCard, Sound };

struct ExpectedFile {
    QString path; // catalogue path, with backslashes
    Kind kind;
};

// The 196 files the screens can ask for, album first, then the family folders.
std::vector<ExpectedFile> expectedFiles();
// The size at which the screens show a picture of this kind (empty for a sound).
QSize displaySize(Kind kind);
// Album pages and large cards are scaled down when too large; the others are clipped.
bool scaledDownWhenLarger(Kind kind);

enum class Severity { Note, Warning, Problem };

struct Finding {
    QString path;
    Severity severity;
    QString message; // French, for the report
};

// What a picture's size means for its display: nothing when it matches exactly.
std::optional<Finding> judgeSize(const ExpectedFile& file, QSize size);

// How a file is read: the program's own picture loader and narration player, in the checker.
// Both take a catalogue path resolved against the current directory and throw the program's
// errors; a null picture is an empty file.
struct Readers {
    std::function<QSize(const QString& path)> pictureSize;
    std::function<void(const QString& path)> openSound;
};

// Every expected file of the current directory, in expectedFiles() order: missing, unreadable,
// not a valid picture or sound, or of an unexpected size; then any other file in the four
// folders, as a note.
std::vector<Finding> checkCurrentFolder(const Readers& readers);

// What the workshop keeps in a set besides the four folders, in the current directory: the
// texts (textes/, whole and read by the one parser of data/) and the class's drawings
// (dessenhs/, each a whole PNG no larger than the workshop keeps).
std::vector<Finding> checkSetFiles();

bool hasProblem(const std::vector<Finding>& findings);
// One report line: severity, path, message.
QString reportLine(const Finding& finding);

} // namespace assetcheck
