// The commands that work on a whole set: export to a file, import from one, a picture made.
#pragma once

class CommandLine;
class QTextStream;

namespace setcommands {

// A name of the set's pictures ("img_familles/12.bmp"), which --undo and --default take too.
bool isPicture(const QString& name);
// Runs --export, --import-set, --picture, or --undo and --default of a picture; throws the
// core's errors.
void act(const CommandLine& line, QTextStream& out);

} // namespace setcommands
