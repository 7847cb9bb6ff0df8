// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where each file of a set came from: recorded, imported, drawn, made again from the set's words
// (a voice spoken again, a picture composed again: "revoiced"), or the default.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class FileOrigins {
public:
    enum class Origin { Default, Recorded, Imported, Drawn, Revoiced };

    // The record kept in the set's folder. A set without one is of an older version: its first
    // fill converts it once and writes the record.
    static QString fileName() { return QStringLiteral("originas.txt"); }
    static bool isKept(const QString& set);
    // The set's record; an empty one when it has none. A line that cannot be read is left out
    // and named in problems; every other line counts.
    static FileOrigins load(const QString& set, QStringList* problems = nullptr);
    // Written whole or not at all; throws SetRefused.
    void save(const QString& set) const;
    // The record's text, as kept and as carried in an exported set's manifest.
    QString text() const;
    static FileOrigins parse(const QString& text, QStringList* problems = nullptr);

    Origin of(const QString& name) const { return marks_.value(name, Origin::Default); }
    bool contains(const QString& name) const { return marks_.contains(name); }
    void set(const QString& name, Origin origin);
    const QMap<QString, Origin>& marks() const { return marks_; }

    static QString word(Origin origin);
    // Throws SetRefused for a word that names no origin.
    static Origin fromWord(const QString& word);
    // What the class gave itself: its voices and drawings, which a sitting may skip.
    static bool isClassOwn(Origin origin) {
        return origin == Origin::Recorded || origin == Origin::Imported || origin == Origin::Drawn;
    }

private:
    QMap<QString, Origin> marks_;
};
