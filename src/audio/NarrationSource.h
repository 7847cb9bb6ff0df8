// One open MP3 narration: libmpg123 reads the file frame by frame and an SDL_AudioStream turns
// its samples into the output device's format.
#pragma once

#include <QString>
#include <SDL.h>
#include <cstdint>
#include <memory>
#include <mpg123.h>

class NarrationSource {
public:
    // Opens the file and decodes its first frame, so a narration that opens is one that plays;
    // throws EMCIDeviceError with a French description otherwise.
    explicit NarrationSource(const QString& absolutePath);
    ~NarrationSource();
    NarrationSource(const NarrationSource&) = delete;
    NarrationSource& operator=(const NarrationSource&) = delete;

    // Back to the first sample; false when the file no longer decodes from there.
    bool rewind();
    // Fills out with up to `frames` interleaved frames in the output format; fewer at the end.
    int read(float* out, int frames);
    // Every sample has been read.
    bool finished() const;

    long sourceRate() const { return rate_; }
    int sourceChannels() const { return channels_; }

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
    bool decodeFirstFrame();
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
