// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder's command line read into one action, without any application object or folder.
#pragma once

#include "deck/DeckOptions.h"

#include <QString>
#include <QStringList>

class CommandLine {
public:
    enum class Action {
        Window,
        Import,
        Undo,
        Default,
        List,
        Export,
        ImportSet,
        Picture,
        Word,
        Page,
        Phrase,
        Play,
        PlayFamily,
        Help,
        Version,
        UndoImport,
        PrintDeck,
        PrintAlignment,
        RedoImport
    };

    // The arguments as main() gets them, the program's name first.
    static CommandLine parse(const QStringList& arguments);
    static QString usage();

    Action action() const { return action_; }
    // Empty when the command line is right; otherwise what is wrong with it.
    const QString& error() const { return error_; }
    // Empty: the user's own set.
    const QString& folder() const { return folder_; }
    const QString& file() const { return file_; }
    // The voice or picture changed (--to, --undo, --default), or heard (--play).
    const QString& voice() const { return voice_; }
    // --word N, --page P or --phrase N, and the text given after it; --play-family K.
    int number() const { return number_; }
    const QString& text() const { return text_; }
    // --import-set or --undo-import with --system: the computer's class set, not the user's.
    bool system() const { return system_; }
    // --picture --fit: the whole picture on the card's ground rather than cropped to it.
    bool fit() const { return fit_; }
    // --print-deck and --print-alignment: paper, layout, backs, families, shift.
    const deck::DeckOptions& deck() const { return deck_; }

private:
    static QString usageHead();
    static QString usageTail();

    Action action_ = Action::Window;
    QString error_;
    QString folder_;
    QString file_;
    QString voice_;
    int number_ = 0;
    QString text_;
    bool system_ = false;
    bool fit_ = false;
    deck::DeckOptions deck_;
};
