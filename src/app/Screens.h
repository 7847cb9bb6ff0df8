// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The five screens, created once at start-up and destroyed last-created-first at the end.
#pragma once

#include <memory>

class Form;

class Screens {
public:
    // Creates the screens in the order main menu, album, family explorer, review, game.
    Screens();
    ~Screens();
    Screens(const Screens&) = delete;
    Screens& operator=(const Screens&) = delete;

    Form& mainForm() const;

private:
    // Members are destroyed in reverse order: the game first, the menu last.
    std::unique_ptr<Form> menu_, album_, explorer_, review_, game_;
};
