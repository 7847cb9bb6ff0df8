// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The deck printed from a set: read through the set's folder, written to a PDF whole or not at
// all, or sent to a printer.
#pragma once

#include "deck/DeckOptions.h"

#include <QString>
#include <QStringList>

class CommandLine;
class QPrinter;
class QTextStream;
class SetFolder;

namespace deckcommands {

// The set's words and the class's drawings; a card whose picture is missing or cannot be read
// is printed without it, and named in problems.
deck::PrintedSet printedSet(const SetFolder& folder, QStringList& problems);
// Writes the deck (or the alignment page, with set null) to file: written aside, then renamed
// over it. Returns what was done, the problems first. Throws SetRefused; the set is only read.
QString writePdf(const SetFolder* folder, const deck::DeckOptions& options, const QString& file);
// --print-deck and --print-alignment.
void act(const CommandLine& line, QTextStream& out);

} // namespace deckcommands
