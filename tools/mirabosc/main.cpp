// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Mirabosc's entry point: the application, the four screens, the main menu, the event loop.
#include "MiraboscVersion.h"
#include "app/Application.h"
#include "app/Screens.h"
#include "base/GameLock.h"
#include "toolkit/Form.h"
#include "toolkit/Platform.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr const char* usage =
    "Usatge : mirabosc [OPCIONS_DE_QT]\n"
    "        mirabosc --help | --version\n"
    "\n"
    "Mirabosc, lo jòc de las sèt familhas per aprene l'occitan : las familhas carta per carta,\n"
    "l'album contat, las repassadas e lo jòc de las sèt familhas. Los imatges e las votz se\n"
    "legisson dins lo dorsièr actual (img_album, son_album, img_familles, sons_familles).\n"
    "Las opcions de Qt, coma -platform NOM, i son presas.\n"
    "  --help     aquesta ajuda\n"
    "  --version  la version\n";

// Help and version are answered before any application exists: they need no display.
bool answered(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(usage, stdout);
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("mirabosc %s\n", MIRABOSC_VERSION);
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (answered(argc, argv))
        return 0;
    platform::applyChoice();
    Application app(argc, argv);
    // The set is read by relative paths from here: a whole-set import waits until the game ends.
    gamelock::holdCurrentFolder();
    Screens screens;
    screens.mainForm().show();
    return Application::exec();
}
