// The recorder's command line read into one action, without any application object or folder.
#pragma once

#include <QString>
#include <QStringList>

class CommandLine {
public:
    enum class Action { Window, Import, Undo, Default, List, Help, Version };

    // The arguments as main() gets them, the program's name first.
    static CommandLine parse(const QStringList& arguments);
    static QString usage();

    Action action() const { return action_; }
    // Empty when the command line is right; otherwise what is wrong with it.
    const QString& error() const { return error_; }
    // Empty: the user's own set.
    const QString& folder() const { return folder_; }
    const QString& file() const { return file_; }
    const QString& voice() const { return voice_; }

private:
    Action action_ = Action::Window;
    QString error_;
    QString folder_;
    QString file_;
    QString voice_;
};
