// libsndfile reads every format the recorder accepts; Debian's build decodes MP3 through mpg123.
#include "voices/AudioImport.h"

#include "voices/TakeProcessor.h"
#include "voices/VoiceRefused.h"

#include <QFile>
#include <memory>
#include <sndfile.h>

namespace audioimport {

namespace {

constexpr int maxChannels = 8;

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

VoiceRefused unreadable(const QString& path, const QString& why) {
    return VoiceRefused(QStringLiteral("Impossible de legir %1 coma un son : %2").arg(path, why));
}

} // namespace

Take read(const QString& path) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(
        sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
    if (!file)
        throw unreadable(path, QString::fromLocal8Bit(sf_strerror(nullptr)));
    if (info.samplerate <= 0 || info.channels <= 0 || info.channels > maxChannels)
        throw unreadable(path, QStringLiteral("format desconegut"));
    // Some formats do not know their length ahead; those are stopped at the limit while read.
    const auto limitFrames = sf_count_t(takeprocessor::longestTakeSeconds * info.samplerate);
    const bool lengthKnown = info.frames > 0 && info.frames < SF_COUNT_MAX;
    if (lengthKnown && info.frames > limitFrames)
        throw VoiceRefused(QStringLiteral("L'enregistrament dura mai de %1 s (%2 s)")
                               .arg(takeprocessor::longestTakeSeconds)
                               .arg(double(info.frames) / info.samplerate, 0, 'f', 1));
    Take take{info.samplerate, info.channels, {}};
    constexpr sf_count_t chunk = 1 << 14;
    std::vector<float> buffer(size_t(chunk * info.channels));
    for (;;) {
        const sf_count_t got = sf_readf_float(file.get(), buffer.data(), chunk);
        if (got <= 0)
            break;
        take.samples.insert(take.samples.end(), buffer.begin(),
                            buffer.begin() + ptrdiff_t(got * info.channels));
        if (take.frames() > limitFrames)
            break; // prepare() refuses it with the same message as a known length
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw unreadable(path, QString::fromLocal8Bit(sf_strerror(file.get())));
    if (take.frames() == 0)
        throw unreadable(path, QStringLiteral("cap de son"));
    return take;
}

} // namespace audioimport
