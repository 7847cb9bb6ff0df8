// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Mirabosc's entry point: the application, the four screens, the main menu, the event loop.
#include "app/Application.h"
#include "app/Screens.h"
#include "base/GameLock.h"
#include "toolkit/Form.h"
#include "toolkit/Platform.h"

int main(int argc, char** argv) {
    platform::applyChoice();
    Application app(argc, argv);
    // The set is read by relative paths from here: a whole-set import waits until the game ends.
    gamelock::holdCurrentFolder();
    Screens screens;
    screens.mainForm().show();
    return Application::exec();
}
