// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Recording from the default capture device through SDL2, with a live level for the meter.
#pragma once

#include "takes/Take.h"

#include <QString>
#include <SDL.h>
#include <atomic>
#include <mutex>

class VoiceCapture {
public:
    static constexpr int rate = 48000;
    static constexpr int channels = 1;

    VoiceCapture() = default;
    ~VoiceCapture();
    VoiceCapture(const VoiceCapture&) = delete;
    VoiceCapture& operator=(const VoiceCapture&) = delete;

    // Opens the default capture device, paused, and keeps it; false when there is none, with
    // the reason in error().
    bool open();
    bool isOpen() const { return device_ != 0; }
    const QString& error() const { return error_; }

    // Starts a new take; what came before is dropped.
    void start();
    // Ends the take and hands it over; recording stops by itself at the longest take.
    Take stop();
    // Hands over the take up to this frame and goes on recording, what came after it the start
    // of the next take: nothing heard is lost between two takes.
    Take cut(int64_t frame);
    bool isRecording() const { return recording_; }
    bool isFull() const;
    // A copy of what the take holds from this frame on, while it goes on.
    std::vector<float> samplesFrom(int64_t frame);
    int64_t frames() const { return frames_.load(); }
    // The loudest sample of the latest block, 0 to 1.
    float level() const { return level_.load(); }

private:
    static void receive(void* self, Uint8* stream, int length);

    SDL_AudioDeviceID device_ = 0;
    bool audioInitialised_ = false;
    bool recording_ = false;
    QString error_;
    std::mutex mutex_; // samples_, between the UI thread and SDL's audio thread
    std::vector<float> samples_;
    std::atomic<int64_t> frames_{0};
    std::atomic<float> level_{0.0f};
};
