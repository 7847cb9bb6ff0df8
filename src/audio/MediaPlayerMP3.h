// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The narration player: one MP3 narration at a time, decoded by libmpg123 and played through SDL.
#pragma once

#include "audio/PcmSource.h"

#include <QString>
#include <cstdint>
#include <memory>

class MixerChannel;

class MediaPlayerMP3 {
public:
    MediaPlayerMP3();
    // Reads its narrations through `openSource` instead of decoding the files itself.
    explicit MediaPlayerMP3(PcmSourceFactory openSource);
    ~MediaPlayerMP3(); // closes an open narration
    MediaPlayerMP3(const MediaPlayerMP3&) = delete;
    MediaPlayerMP3& operator=(const MediaPlayerMP3&) = delete;

    // Stops the sound before returning: no later sample of the narration reaches the output. The
    // file is released now, or by the decoder thread as soon as a read in progress ends. Does
    // nothing when nothing is open.
    void close() noexcept;
    // A relative catalogue path; the next open reads it.
    void setFileName(const QString& relativePath);
    const QString& fileName() const;
    // Closes what is open, then opens fileName(); throws EMCIDeviceError when the file is not
    // a playable MP3, leaving nothing open.
    void open();
    // Plays from the current position (from the start after an open or at the end) and returns
    // at once. Throws EMCIDeviceError with nothing open; a refusal of the output is recorded.
    void play();

    // Read-only state for tests and tools.
    bool isOpen() const;
    QString openFile() const; // the relative name that is open, empty when none
    bool isPlaying() const;
    // The last play was refused: no device (known at once within the retry delay of a failed
    // opening, otherwise once the output's try fails), too many plays, or a file that no longer
    // rewinds.
    bool lastPlayRefused() const;

private:
    // Tests and benchmarks read what the output keeps anyway through PlayerProbe; the program
    // never asks.
    friend class PlayerProbe;
    const MixerChannel* channel() const; // the open narration, null when none
    uint64_t id() const;                 // the number its end-of-play notices carry

    struct Impl;
    std::unique_ptr<Impl> d;
};
