// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Where a playing narration's samples come from: interleaved frames in the output's format.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class PcmSource {
public:
    virtual ~PcmSource() = default;

    // Fills out with up to `frames` frames, reading and decoding the file as needed; fewer only
    // at the end. May take as long as the file takes to read.
    virtual int read(float* out, int frames) = 0;
    // Like read, but only from what is already decoded: never touches the file.
    virtual int readDecoded(float* out, int frames) = 0;
    // Every sample has been read.
    virtual bool finished() const = 0;
    // Back to the first sample; false when the file no longer decodes from there.
    virtual bool rewind() = 0;

    virtual long sourceRate() const = 0;
    virtual int sourceChannels() const = 0;
};

// Opens the narration at an absolute path; throws EMCIDeviceError when it is not playable.
using PcmSourceFactory = std::function<std::unique_ptr<PcmSource>(const QString& absolutePath)>;
