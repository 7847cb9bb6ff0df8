// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One open MP3 narration: libmpg123 reads the file frame by frame and an SDL_AudioStream turns
// its samples into the output device's format.
#pragma once

#include "audio/PcmSource.h"

#include <QString>
#include <SDL.h>
#include <cstdint>
#include <memory>
#include <mpg123.h>

class NarrationSource : public PcmSource {
public:
    // Opens the file and decodes it up to its first frame of sound, so that a narration that
    // opens is one that plays; throws EMCIDeviceError with a French description otherwise. The
    // rest, its head included, is the decoder thread's.
    explicit NarrationSource(const QString& absolutePath);
    ~NarrationSource() override;
    NarrationSource(const NarrationSource&) = delete;
    NarrationSource& operator=(const NarrationSource&) = delete;

    bool rewind() override;
    int read(float* out, int frames) override;
    int readDecoded(float* out, int frames) override;
    bool finished() const override;

    long sourceRate() const override { return rate_; }
    int sourceChannels() const override { return channels_; }

private:
    struct FileDescriptor {
        int fd = -1;
        ~FileDescriptor();
    };
    struct DecoderDeleter {
        void operator()(mpg123_handle* handle) const;
    };
    struct StreamDeleter {
        void operator()(SDL_AudioStream* stream) const;
    };

    void openFile(const QString& absolutePath);
    void openDecoder();
    bool decodeFirstSound();
    int take(float* out, int frames, bool decodeMore);
    size_t decodeFrame(); // bytes of samples handed to the converter
    void endOfFile();
    int64_t framesLeft() const; // output frames still to read, once the decoder is at the end

    // Declared first so the decoder reading from it goes before it.
    FileDescriptor file_;
    std::unique_ptr<mpg123_handle, DecoderDeleter> decoder_;
    std::unique_ptr<SDL_AudioStream, StreamDeleter> stream_;
    long rate_ = 0;
    int channels_ = 0;
    bool drained_ = false;     // the decoder is at the end and the converter has been flushed
    int64_t sourceFrames_ = 0; // decoded since the start
    int64_t readFrames_ = 0;   // output frames read since the start
    int64_t outputFrames_ = 0; // the narration's length at the output rate, once drained
};
