// The commands that work on a whole set: export to a file, import from one, a picture made.
#pragma once

class CommandLine;
class QTextStream;

namespace setcommands {

// Runs --export, --import-set or --picture; throws the core's errors.
void act(const CommandLine& line, QTextStream& out);

} // namespace setcommands
