// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The application object: title and icon, and the last net under every event.
#pragma once

#include <QApplication>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // Delivers an event. Every screen handler guards itself where it is connected, so its error
    // ends it at its step; this net catches only what Qt's own code lets out (out of memory in
    // a paint), shown in the error box instead of crossing the event loop.
    bool notify(QObject* receiver, QEvent* event) override;
};
