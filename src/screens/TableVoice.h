// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The table's voice: the game's sentences one after another, never one cut by the next, each
// followed by a short pause; and the word of a card pointed at while the table is silent.
#pragma once

#include "audio/SentencePlayer.h"

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <deque>

class TableVoice : public QObject {
    Q_OBJECT
public:
    // What a player waits after a sentence before acting: time to hear it end.
    static constexpr std::chrono::milliseconds pauseAfter{600};

    explicit TableVoice(QObject* parent = nullptr);

    // Queues a sentence: it starts when the sentences before it and their pauses are over.
    void say(const QStringList& parts);
    // Speaks a single word now when no sentence is under way or waiting; a later word or
    // sentence cuts it.
    void sayWord(const QString& voice);
    // Silences everything and forgets what was queued.
    void stop();
    // A sentence is being spoken, waits, or its pause is not over.
    bool busy() const { return speaking_ || !queue_.empty() || pause_.isActive(); }
    // The last sentence queued, for hearing it again.
    const QStringList& lastSentence() const { return last_; }

signals:
    // The last sentence of the queue has been heard and its pause is over.
    void quiet();

private:
    void startNext();
    void finished();

    SentencePlayer player_;
    std::deque<QStringList> queue_;
    QStringList last_;
    bool speaking_ = false; // a sentence, not a word
    QTimer pause_;
};
