// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The commands that work on a whole set: export to a file, import from one, a picture made.
#pragma once

#include <QString>
#include <functional>

class CommandLine;
class QTextStream;
class SetFolder;

namespace setcommands {

// Each returns its report and throws the core's errors.
// What of the set differs from the installed one, into the zip at file.
QString exportSet(const QString& set, const QString& file);
// Asked while the game plays the set an import would replace: true waits, false gives up.
using WhileGameOpen = std::function<bool()>;
// The set in the zip at file, checked whole, put at target and based on base (the set the
// target's links lead to); the set replaced joins the history.
QString importSet(const QString& target, const QString& file, const QString& base,
                  const WhileGameOpen& whileGameOpen);
// The set the last import replaced at target comes back; again, the one before it.
QString undoImport(const QString& target, const WhileGameOpen& whileGameOpen);
// The set the last undo replaced comes back.
QString redoImport(const QString& target, const WhileGameOpen& whileGameOpen);
// The pictures of a row (named by its voice) composed from a picture file.
QString makePicture(SetFolder& folder, const QString& file, const QString& row, bool fit);

// The pictures of a row back as they were before their last change (undo), or as the default.
QString restorePictures(SetFolder& folder, const QString& row, bool undo);
// A name of the set's pictures ("img_familles/12.bmp"), which --undo and --default take too.
bool isPicture(const QString& name);
// Runs --export, --import-set, --undo-import, --redo-import, --picture, or --undo and --default of
// a picture; throws the core's errors.
void act(const CommandLine& line, QTextStream& out);

} // namespace setcommands
