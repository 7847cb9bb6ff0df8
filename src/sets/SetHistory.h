// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The steps each file of a set can be taken back to (undo) and forward again (redo), kept apart
// from the folders the game reads; the files one change touched together form one step.
#pragma once

#include "sets/FileOrigins.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class SetHistory {
public:
    enum class Stack { Undo, Redo };
    // Changes each file remembers for undo (and undone changes for redo).
    static constexpr int kept = 10;

    // What a file holds at one step: bytes of its own, or the default (its link, or for a text
    // no file at all).
    struct Content {
        bool isDefault = true;
        QString file; // the file holding the bytes, when not the default
        FileOrigins::Origin origin = FileOrigins::Origin::Default;
    };

    explicit SetHistory(const QString& root) : root_(root) {}

    // The steps of the file on the stack, oldest first, as paths.
    QStringList steps(Stack stack, const QString& name) const;
    // What a step holds.
    static Content contentOf(const QString& step);
    // The next number free for all the names on the stack: the files of one change share it.
    int nextNumber(Stack stack, const QStringList& names) const;
    // Keeps content as the newest step of name, numbered number; returns the step's path.
    QString push(Stack stack, const QString& name, const Content& content, int number);
    // Records that the newest steps numbered number of names are one change.
    void joinAsOne(Stack stack, int number, const QStringList& names);
    // The files whose newest steps are one change with the newest step of name (name among them).
    QStringList changeOf(Stack stack, const QString& name) const;
    // The files one change touched together, as recorded when it was made: also those changed
    // again since, whose newest step is no longer this change's.
    QStringList namesOf(Stack stack, int number) const;
    // A text the change numbered change touched, and a later change touched again, taken back by
    // its rows (TextRows); now is the text as it is.
    struct RowsBack {
        QByteArray text; // the text with those rows back
        QString step;    // the change's step of the text, to drop once it is in place; empty
                         // when the text has none
        // The text's later steps without those rows, so that undoing them never brings the
        // change back: to be put in place with the text.
        std::vector<std::pair<QString, QByteArray>> later;
    };
    RowsBack rowsBack(Stack stack, const QString& text, int change, const QByteArray& now) const;
    // Drops the step, and the record of its change once none of its files is left.
    void drop(Stack stack, const QString& step);
    // Keeps no more than the given number of steps of name.
    void prune(Stack stack, const QString& name);
    // Version 1.0 kept one replaced file per voice: it becomes the first step.
    void moveOlder(const QStringList& names);

    // The number of a step: the change it belongs to.
    static int numberOf(const QString& step);

private:
    QString folder(Stack stack, const QString& name) const;
    QString changesFolder(Stack stack) const;

    QString root_;
};
