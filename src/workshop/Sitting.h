// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// All voices in one sitting: each row in turn, each take ended by the silence after the word and
// made into its voice on a worker thread while the next row is already shown.
#pragma once

#include "takes/SpeechEnd.h"
#include "takes/TakeReview.h"

#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <chrono>
#include <optional>

class VoiceCapture;
class SetFolder;

class Sitting {
public:
    // The rows in the game's order: each family's name and cards, the album's pages, then the
    // phrases of the game of the seven families.
    // skipRecorded leaves out the voices the user already recorded.
    Sitting(SetFolder& folder, VoiceCapture& capture, bool skipRecorded);
    // Waits for the voices still being made.
    ~Sitting();
    Sitting(const Sitting&) = delete;
    Sitting& operator=(const Sitting&) = delete;

    // Starts the first row's take; false when there is nothing to record or no microphone.
    bool start();
    // On the UI thread, often: reads what was captured; at the end of a word, hands its take
    // over and starts the next row's take at once.
    void tick();
    // Space: the row before this one again (its voice is replaced when the new take is made).
    void redoPrevious();
    // Escape: the take in progress is dropped; what was made stays.
    void stop();
    // A take much shorter or longer than its text holds the sitting on its row, with why.
    const QString& doubt() const { return doubt_; }
    // Enter: the doubtful take is kept all the same; Space: the row is read again.
    void keepDoubtful();
    void redoDoubtful();
    // The latest take made into a voice: its row and what it looked like (made on the worker, so
    // the next row is shown at once).
    struct Handed {
        QString row;
        QString text;
        TakeReview review;
        std::chrono::steady_clock::time_point when;
    };
    std::optional<Handed> lastHanded() const;

    bool isOver() const { return current_ < 0; }
    // The row being read, empty once over.
    QString current() const;
    int position() const { return current_; }
    int count() const { return int(rows_.size()); }
    // The voices written so far, in the order they were written, and the refusals.
    QStringList written() const;
    QStringList refused() const;
    // Waits until every take handed over is written.
    void waitForWrites();
    // From the end of a word's silence being heard to the next row shown, the latest one.
    std::optional<std::chrono::nanoseconds> lastGap() const { return lastGap_; }

private:
    void beginTake();
    void handOver(const QString& row, Take take);
    void advance();

    SetFolder& folder_;
    VoiceCapture& capture_;
    QStringList rows_;
    QStringList texts_; // what each row reads
    int current_ = -1;
    int previous_ = -1;
    int64_t fed_ = 0;
    std::optional<SpeechEnd> end_;
    std::optional<std::chrono::nanoseconds> lastGap_;
    QString doubt_;
    Take doubtful_;
    std::optional<Handed> lastHanded_;
    QThreadPool worker_;
    mutable QMutex results_; // written_, refused_ and lastHanded_, between the worker and UI
    QStringList written_;
    QStringList refused_;
};
