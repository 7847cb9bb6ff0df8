// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening, checking and decoding one MP3 narration for the output device.
#include "audio/NarrationSource.h"

#include "audio/AudioOutput.h"
#include "base/Errors.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// A sound file's first samples come after at most its tag frame and the few frames that gapless
// trimming empties; data that yields nothing after this many frames is not a narration.
constexpr int maxFramesBeforeSound = 16;
// SDL's converter drops the last milliseconds of a resampled stream when it is flushed; this much
// silence after the last sample carries them out, and the output is then cut to its true length.
constexpr int tailPaddingDivisor = 50; // 20 ms

[[noreturn]] void refuse(const QString& description) {
    throw EMCIDeviceError(description);
}

QString notFound() {
    return QStringLiteral("Le fichier spécifié est introuvable. Vérifiez que le chemin d'accès et "
                          "le nom du fichier sont corrects");
}
QString accessDenied() {
    return QStringLiteral("Le fichier spécifié ne peut pas être lu : l'accès est refusé");
}
QString cannotOpen() {
    return QStringLiteral("Le fichier spécifié ne peut pas être ouvert");
}
QString isFolder() {
    return QStringLiteral("Le nom spécifié désigne un dossier et non un fichier audio");
}
QString notRegularFile() {
    return QStringLiteral("Le nom spécifié ne désigne pas un fichier ordinaire");
}
QString emptyFile() {
    return QStringLiteral("Le fichier spécifié est vide");
}
QString notMp3() {
    return QStringLiteral("Le fichier n'est pas un fichier audio MP3 lisible");
}
QString decoderUnavailable() {
    return QStringLiteral("Le décodeur audio MP3 n'a pas pu être préparé");
}

} // namespace

NarrationSource::FileDescriptor::~FileDescriptor() {
    if (fd >= 0)
        ::close(fd);
}

namespace {

// Decoders set up for our narrations, kept between them: making one costs as much as the rest of
// an open together. Taken by the user-interface thread, given back by whichever thread lets the
// narration go, never by the audio callback. Never freed, so that a filler still giving one back
// at exit finds it in place.
class Decoders {
public:
    static Decoders& kept() {
        static Decoders* const decoders = new Decoders;
        return *decoders;
    }

    mpg123_handle* take() {
        {
            const std::lock_guard lock(mutex_);
            if (!idle_.empty()) {
                mpg123_handle* decoder = idle_.back();
                idle_.pop_back();
                return decoder;
            }
        }
        return make();
    }

    void giveBack(mpg123_handle* decoder) {
        mpg123_close(decoder);
        {
            const std::lock_guard lock(mutex_);
            if (idle_.size() < keptAtMost) {
                idle_.push_back(decoder);
                return;
            }
        }
        mpg123_delete(decoder);
    }

private:
    // More than the narrations that sound at once on the three screens.
    static constexpr size_t keptAtMost = 8;

    static mpg123_handle* make() {
        int error = MPG123_OK;
        mpg123_handle* decoder = mpg123_new(nullptr, &error);
        if (!decoder)
            return nullptr;
        // ID3v2 tags are skipped rather than parsed, so a hostile tag size is never allocated;
        // stitched streams are refused, so one narration keeps one format from start to end.
        mpg123_param(decoder, MPG123_ADD_FLAGS,
                     MPG123_QUIET | MPG123_GAPLESS | MPG123_SKIP_ID3V2 | MPG123_NO_FRANKENSTEIN,
                     0.0);
        // SDL converts the rate; the decoder hands over the file's own samples.
        mpg123_param(decoder, MPG123_REMOVE_FLAGS, MPG123_AUTO_RESAMPLE, 0.0);
        mpg123_format_none(decoder);
        const long* rates = nullptr;
        size_t rateCount = 0;
        mpg123_rates(&rates, &rateCount);
        for (size_t i = 0; i < rateCount; ++i)
            mpg123_format(decoder, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
        return decoder;
    }

    std::mutex mutex_;
    std::vector<mpg123_handle*> idle_;
};

} // namespace

void NarrationSource::DecoderDeleter::operator()(mpg123_handle* handle) const {
    Decoders::kept().giveBack(handle);
}

void NarrationSource::StreamDeleter::operator()(SDL_AudioStream* stream) const {
    SDL_FreeAudioStream(stream);
}

NarrationSource::NarrationSource(const QString& absolutePath) {
    openFile(absolutePath);
    openDecoder();
    if (!decodeFirstSound())
        refuse(notMp3());
}

NarrationSource::~NarrationSource() = default;

void NarrationSource::openFile(const QString& absolutePath) {
    // Non-blocking, so that a FIFO cannot hold the open; the descriptor is checked before use.
    const QByteArray path = QFile::encodeName(absolutePath);
    file_.fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file_.fd < 0) {
        switch (errno) {
        case ENOENT:
        case ENOTDIR:
            refuse(notFound());
        case EACCES:
        case EPERM:
            refuse(accessDenied());
        default:
            refuse(cannotOpen());
        }
    }
    struct stat info = {};
    if (::fstat(file_.fd, &info) != 0)
        refuse(cannotOpen());
    if (S_ISDIR(info.st_mode))
        refuse(isFolder());
    if (!S_ISREG(info.st_mode))
        refuse(notRegularFile());
    if (info.st_size == 0)
        refuse(emptyFile());
    const int flags = ::fcntl(file_.fd, F_GETFL);
    if (flags < 0 || ::fcntl(file_.fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        refuse(cannotOpen());
}

void NarrationSource::openDecoder() {
    decoder_.reset(Decoders::kept().take());
    if (!decoder_)
        refuse(decoderUnavailable());
    mpg123_handle* decoder = decoder_.get();
    if (mpg123_open_fd(decoder, file_.fd) != MPG123_OK)
        refuse(notMp3());
    int encoding = 0;
    if (mpg123_getformat(decoder, &rate_, &channels_, &encoding) != MPG123_OK ||
        encoding != MPG123_ENC_FLOAT_32)
        refuse(notMp3());
    stream_.reset(SDL_NewAudioStream(AUDIO_F32SYS, static_cast<Uint8>(channels_),
                                     static_cast<int>(rate_), AUDIO_F32SYS, AudioOutput::channels,
                                     AudioOutput::rate));
    if (!stream_)
        refuse(decoderUnavailable());
}

bool NarrationSource::decodeFirstSound() {
    bool sound = false;
    for (int frame = 0; frame < maxFramesBeforeSound && !drained_ && !sound; ++frame)
        sound = decodeFrame() > 0;
    return sound;
}

size_t NarrationSource::decodeFrame() {
    off_t frameNumber = 0;
    unsigned char* samples = nullptr;
    size_t bytes = 0;
    const int result = mpg123_decode_frame(decoder_.get(), &frameNumber, &samples, &bytes);
    if (result == MPG123_NEW_FORMAT) {
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        mpg123_getformat(decoder_.get(), &rate, &channels, &encoding);
        if (rate != rate_ || channels != channels_ || encoding != MPG123_ENC_FLOAT_32)
            endOfFile();
        return 0;
    }
    if (result != MPG123_OK) {
        endOfFile();
        return 0;
    }
    if (bytes > 0 && SDL_AudioStreamPut(stream_.get(), samples, static_cast<int>(bytes)) != 0) {
        endOfFile();
        return 0;
    }
    sourceFrames_ += static_cast<int64_t>(bytes / (sizeof(float) * channels_));
    return bytes;
}

void NarrationSource::endOfFile() {
    const std::vector<float> silence(
        static_cast<size_t>(rate_ / tailPaddingDivisor) * static_cast<size_t>(channels_), 0.0f);
    SDL_AudioStreamPut(stream_.get(), silence.data(),
                       static_cast<int>(silence.size() * sizeof(float)));
    SDL_AudioStreamFlush(stream_.get());
    outputFrames_ = sourceFrames_ * AudioOutput::rate / rate_;
    drained_ = true;
}

int64_t NarrationSource::framesLeft() const {
    return drained_ ? std::max<int64_t>(outputFrames_ - readFrames_, 0) : INT64_MAX;
}

int NarrationSource::read(float* out, int frames) {
    return take(out, frames, true);
}

int NarrationSource::readDecoded(float* out, int frames) {
    return take(out, frames, false);
}

int NarrationSource::take(float* out, int frames, bool decodeMore) {
    constexpr int frameBytes = AudioOutput::channels * static_cast<int>(sizeof(float));
    int got = 0;
    while (got < frames) {
        const int available = SDL_AudioStreamAvailable(stream_.get()) / frameBytes;
        if (available == 0) {
            if (drained_ || !decodeMore)
                break;
            decodeFrame();
            continue;
        }
        const auto wanted =
            static_cast<int>(std::min<int64_t>({available, frames - got, framesLeft()}));
        if (wanted == 0)
            break;
        const int bytes = SDL_AudioStreamGet(stream_.get(), out + got * AudioOutput::channels,
                                             wanted * frameBytes);
        if (bytes <= 0)
            break;
        got += bytes / frameBytes;
        readFrames_ += bytes / frameBytes;
    }
    return got;
}

bool NarrationSource::finished() const {
    return drained_ && (framesLeft() == 0 || SDL_AudioStreamAvailable(stream_.get()) == 0);
}

bool NarrationSource::rewind() {
    if (mpg123_seek(decoder_.get(), 0, SEEK_SET) < 0)
        return false;
    SDL_AudioStreamClear(stream_.get());
    drained_ = false;
    sourceFrames_ = 0;
    readFrames_ = 0;
    return decodeFirstSound();
}
