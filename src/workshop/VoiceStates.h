// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows of each voice (own or default, undoable), kept until its file or the
// set's record of origins changes.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>

class SetFolder;

class VoiceStates {
public:
    explicit VoiceStates(const SetFolder& folder);

    // Looks at every voice's file and compares again only those that changed since the last
    // look (all of them when the record of origins changed); returns the voices whose state
    // changed.
    QStringList rescan();
    bool isOwn(const QString& name) const { return states_.value(name).own; }
    bool canUndo(const QString& name) const { return states_.value(name).canUndo; }
    // Of the 73 voices every set has.
    int ownCount() const;

private:
    struct Signature {
        uint64_t inode = 0;
        int64_t size = -1;
        int64_t modifiedNs = 0;
        bool operator==(const Signature&) const = default;
    };
    struct State {
        Signature file;
        bool own = false;
        bool canUndo = false;
    };
    Signature signatureOf(const QString& name) const;

    const SetFolder& folder_;
    QHash<QString, State> states_;
    Signature marks_; // the record of origins, which says whose each file is
};
