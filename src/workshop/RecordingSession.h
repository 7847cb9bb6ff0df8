// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder's state and steps: the chosen voice, recording, the take under review, and the
// changes to the folder. The window shows it and forwards gestures; tests drive it alone.
#pragma once

#include "audio/MediaPlayerMP3.h"
#include "sets/SetFolder.h"
#include "takes/TakeReview.h"
#include "takes/VoiceCapture.h"
#include "workshop/Sitting.h"
#include "workshop/VoicePlayer.h"
#include "workshop/VoiceStates.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <optional>

class RecordingSession {
public:
    enum class State { Idle, Recording, Review };
    struct Status {
        QString text;
        bool error = false;
    };

    // Opens the default microphone; without one, recording is off and importing still works.
    explicit RecordingSession(std::unique_ptr<SetFolder> folder);
    ~RecordingSession();
    RecordingSession(const RecordingSession&) = delete;
    RecordingSession& operator=(const RecordingSession&) = delete;

    State state() const;
    const QString& current() const { return current_; }
    const Status& status() const { return status_; }
    const SetFolder& folder() const { return *folder_; }
    const VoiceStates& voices() const { return voices_; }
    const VoiceCapture& capture() const { return capture_; }
    const MediaPlayerMP3& player() const { return player_; }
    // The latest take recorded, as the teacher sees it; none before the first.
    const std::optional<TakeReview>& review() const { return review_; }
    bool canRecord() const { return !current_.isEmpty() && capture_.isOpen() && !inDoubt(); }
    // The microphone's latest level, 0 (-60 dBFS or less) to 1 (full scale).
    double meterLevel() const;

    // The steps; each one ends with its outcome in status(), errors included, and never throws.
    void select(const QString& voiceName);
    void startRecording();
    void stopRecording();
    void toggleRecording();
    // Escape: the take, being recorded or under review, is dropped.
    void cancel();
    // The fresh take, or the voice the folder holds when there is none.
    void listen();
    // The chosen row's family, name and words, or the album's pages from the chosen one on.
    void listenFamily();
    const VoicePlayer& familyPlayer() const { return family_; }
    void keep();
    void again();
    void undo();
    void restoreDefault();
    void importInto(const QString& voiceName, const QString& file);
    // All voices in one sitting; during it Space redoes the previous row and Escape stops.
    void startSitting(bool skipRecorded);
    bool inSitting() const { return sitting_ && !sitting_->isOver(); }
    // The latest sitting, over or not; null before the first.
    const Sitting* sitting() const { return sitting_.get(); }
    // A sitting held on a doubtful take: Enter keeps it, Space reads the row again.
    bool inDoubt() const { return inSitting() && !sitting_->doubt().isEmpty(); }
    void keepDoubtful();
    // A change to the set beyond one voice (pictures, the whole set), reported or refused.
    void changeSet(const std::function<QString(SetFolder& folder)>& change);
    // While recording, called often: a take ends by itself at the longest take.
    void tick();
    // Another writer may have changed the folder: looks again at the voices' files.
    void rescan();
    // The voices whose state changed since the last call, by a step or by another writer.
    QStringList takeChanges();

private:
    void guarded(const std::function<void()>& step);
    void dropTake();
    QString stagedPath() const;

    std::unique_ptr<SetFolder> folder_;
    VoiceStates voices_;
    VoiceCapture capture_;
    MediaPlayerMP3 player_;
    VoicePlayer family_;
    QTemporaryDir staging_;
    QString current_;
    QByteArray take_;
    Status status_;
    QStringList changed_;
    std::optional<TakeReview> review_;
    // Last: it uses the folder and the capture, and ends before them.
    std::unique_ptr<Sitting> sitting_;
};
