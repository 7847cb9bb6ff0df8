// The application object: title and icon, and the last net under every event.
#pragma once

#include <QApplication>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    // Delivers an event; an error that escaped a handler is shown in the error box instead of
    // crossing the event loop.
    bool notify(QObject* receiver, QEvent* event) override;
};
