// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's actions as commands for scripts: import, undo, default voice and the list.
#pragma once

class CommandLine;
class QTextStream;

namespace voicecommands {

constexpr int exitDone = 0;
constexpr int exitRefused = 1;

// Runs one action other than the window's; needs a QCoreApplication for the set's location.
// Returns exitDone, or exitRefused with the reason written to err; never throws.
int run(const CommandLine& line, QTextStream& out, QTextStream& err);

} // namespace voicecommands
