// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// mirabosc-record: the window that records the game's voices, or one of its actions as a command.
#include "MiraboscVersion.h"
#include "base/Errors.h"
#include "sets/Locations.h"
#include "sets/SetImport.h"
#include "workshop/CommandLine.h"
#include "workshop/RecorderIdentity.h"
#include "workshop/RecorderWindow.h"
#include "workshop/VoiceCommands.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTextStream>
#include <memory>

namespace {

constexpr int exitUsage = 2;

QStringList argumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Qt aborts when it finds no display; the recorder says so and points to its commands instead.
bool hasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

int runWindow(int& argc, char* argv[], const CommandLine& line) {
    if (!hasDisplay()) {
        QTextStream(stderr) << "mirabosc-record : cap d'afichatge per la fenèstra ; las comandas "
                               "(--import, --undo, --default, --list) i passan.\n";
        return voicecommands::exitRefused;
    }
    QApplication app(argc, argv);
    recorderidentity::apply();
    auto folder = std::make_unique<SetFolder>(
        line.folder().isEmpty() ? locations::userSet() : line.folder(), locations::baseSet());
    try {
        // An import stopped midway left its unfinished set beside the folder.
        setimport::sweep(folder->root());
        folder->fillFromDefaultSet();
    } catch (const Exception& error) {
        QMessageBox::critical(nullptr, recorderidentity::title, error.message());
        return voicecommands::exitRefused;
    }
    RecorderWindow window(std::move(folder));
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // Read before any application exists: help, version and mistakes need no display.
    const CommandLine line = CommandLine::parse(argumentsOf(argc, argv));
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!line.error().isEmpty()) {
        err << "mirabosc-record : " << line.error() << '\n' << CommandLine::usage();
        return exitUsage;
    }
    switch (line.action()) {
    case CommandLine::Action::Window:
        return runWindow(argc, argv, line);
    case CommandLine::Action::Help:
        out << CommandLine::usage();
        return voicecommands::exitDone;
    case CommandLine::Action::Version:
        out << "mirabosc-record " << MIRABOSC_VERSION << '\n';
        return voicecommands::exitDone;
    default: {
        // Cards are drawn with fonts, which need a GUI application: one that needs no screen.
        std::unique_ptr<QCoreApplication> app;
        if (line.action() == CommandLine::Action::Picture ||
            line.action() == CommandLine::Action::Word ||
            line.action() == CommandLine::Action::Page ||
            line.action() == CommandLine::Action::PrintDeck ||
            line.action() == CommandLine::Action::PrintAlignment) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            app = std::make_unique<QGuiApplication>(argc, argv);
        } else {
            app = std::make_unique<QCoreApplication>(argc, argv);
        }
        recorderidentity::apply();
        return voicecommands::run(line, out, err);
    }
    }
}
