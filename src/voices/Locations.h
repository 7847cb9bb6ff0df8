// Where the recorder finds the installed default set and the user's own set.
#pragma once

#include <QString>

namespace locations {

// Beside the program in a build tree (assets/), or <prefix>/share/mirabosc when installed;
// empty when neither holds the voices.
QString installedDefaultSet();
// $XDG_DATA_HOME/mirabosc, the folder the game's launcher prefers.
QString userSet();

} // namespace locations
