// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The stored voices heard one after another: a family's name and its seven words, the album's
// pages from one on.
#pragma once

#include "audio/MediaPlayerMP3.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

class SetFolder;

class VoicePlayer : public QObject {
    Q_OBJECT
public:
    explicit VoicePlayer(QObject* parent = nullptr);

    // The rows heard with this one: its family's name and words, or the pages from it to the last.
    static QStringList rowsWith(const QString& voiceName);
    // Plays the voices of these rows as the folder holds them, in order; what played stops.
    void play(const SetFolder& folder, const QStringList& rows);
    void stop();
    bool isPlaying() const { return playing_; }
    // The row being heard; empty when none.
    const QString& current() const { return current_; }
    // Why the latest voice could not be heard: a damaged file, or no sound output.
    const QString& problem() const { return problem_; }

signals:
    void started(const QString& row);
    void finished();

private:
    void advance();

    MediaPlayerMP3 player_;
    QStringList rows_;
    QStringList files_;
    QString current_;
    QString problem_;
    bool playing_ = false;
    QTimer timer_;
};
