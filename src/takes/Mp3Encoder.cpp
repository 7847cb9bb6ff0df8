// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// libmp3lame in VBR mode: the quality of `lame -V 7 -m m`, which the default voices use.
#include "takes/Mp3Encoder.h"

#include "base/Errors.h"

#include <QString>
#include <algorithm>
#include <array>
#include <cmath>
#include <lame/lame.h>
#include <memory>

namespace mp3encoder {

namespace {

constexpr int vbrQuality = 7;
// LAME's algorithm quality: 5 is within a hair of the default at half its time, which keeps a
// take quick to hear again.
constexpr int algorithmQuality = 5;
// Rates an MP3 may carry; any other is resampled by LAME to the last one.
constexpr std::array<int, 9> mp3Rates{8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
constexpr int fallbackRate = 48000;
// LAME's own bound on the output of one call: 1.25 bytes a sample plus 7200.
constexpr size_t outputSlack = 7200;
constexpr int chunkFrames = 1 << 16;
constexpr size_t lametagBytes = 4096;

struct LameDeleter {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

SetRefused failed(int code) {
    return SetRefused(
        QStringLiteral("L'encodaire MP3 a refusat l'enregistrament (còde %1)").arg(code));
}

} // namespace

QByteArray encode(const Take& mono) {
    std::unique_ptr<lame_global_flags, LameDeleter> lame(lame_init());
    if (!lame || mono.channels != 1 || mono.rate <= 0)
        throw failed(-1);
    // libmp3lame aborts the whole process on a sample that is not a number.
    if (!std::all_of(mono.samples.begin(), mono.samples.end(),
                     [](float sample) { return std::isfinite(sample); }))
        throw failed(-3);
    const bool mp3Rate = std::find(mp3Rates.begin(), mp3Rates.end(), mono.rate) != mp3Rates.end();
    lame_set_in_samplerate(lame.get(), mono.rate);
    lame_set_out_samplerate(lame.get(), mp3Rate ? mono.rate : fallbackRate);
    lame_set_num_channels(lame.get(), 1);
    lame_set_mode(lame.get(), MONO);
    lame_set_VBR(lame.get(), vbr_default);
    lame_set_VBR_q(lame.get(), vbrQuality);
    lame_set_quality(lame.get(), algorithmQuality);
    lame_set_bWriteVbrTag(lame.get(), 1);
    lame_set_write_id3tag_automatic(lame.get(), 0);
    if (const int code = lame_init_params(lame.get()); code < 0)
        throw failed(code);

    QByteArray out;
    std::vector<unsigned char> buffer(size_t(chunkFrames) * 5 / 4 + outputSlack);
    const auto append = [&](int bytes) {
        if (bytes < 0)
            throw failed(bytes);
        out.append(reinterpret_cast<const char*>(buffer.data()), bytes);
    };
    const int64_t frames = mono.frames();
    for (int64_t start = 0; start < frames; start += chunkFrames) {
        const int count = int(std::min<int64_t>(chunkFrames, frames - start));
        const float* pcm = mono.samples.data() + start;
        append(lame_encode_buffer_ieee_float(lame.get(), pcm, pcm, count, buffer.data(),
                                             int(buffer.size())));
    }
    append(lame_encode_flush(lame.get(), buffer.data(), int(buffer.size())));
    // The first frame was left blank for the header, which knows the length only now.
    std::array<unsigned char, lametagBytes> tag{};
    const size_t tagSize = lame_get_lametag_frame(lame.get(), tag.data(), tag.size());
    if (tagSize == 0 || tagSize > tag.size() || tagSize > size_t(out.size()))
        throw failed(-2);
    std::copy_n(tag.data(), tagSize, reinterpret_cast<unsigned char*>(out.data()));
    return out;
}

} // namespace mp3encoder
