// The asset folder the launcher starts Mirabosc in: the user's own set when complete, else the
// default.
#pragma once

#include <QString>

namespace assetcheck {

// The four asset folders exist (as folders) inside this one.
bool holdsCompleteSet(const QString& folder);

// $XDG_DATA_HOME/mirabosc, or ~/.local/share/mirabosc when that variable is unset or not absolute.
QString userSetFolder();

// The default set seen from the folder of an installed or built program: the build's "assets"
// folder beside it in a build tree, else the installed set at the given relative path.
QString defaultSetFolder(const QString& programDir, const QString& installedRelative);

// The user's set when complete, else the default set; as an absolute, clean path.
QString launcherFolder(const QString& programDir, const QString& installedRelative);

} // namespace assetcheck
