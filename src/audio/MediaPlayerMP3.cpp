// The narration player: the file checks of open, and play and close over the shared output.
#include "audio/MediaPlayerMP3.h"

#include "audio/AudioLog.h"
#include "audio/AudioOutput.h"
#include "audio/EndOfPlayReceiver.h"
#include "audio/NarrationSource.h"
#include "base/Errors.h"
#include "base/Paths.h"

struct MediaPlayerMP3::Impl {
    // First, so that the output, which may hold the last reference to the device at exit, goes
    // after the rest.
    std::shared_ptr<AudioOutput> output = AudioOutput::shared();
    EndOfPlayReceiver receiver;
    QString fileName;
    QString openName;
    PcmSourceFactory openSource;
    std::unique_ptr<PcmSource> source;
    Voice voice;
    bool playRefused = false;
};

MediaPlayerMP3::MediaPlayerMP3()
    : MediaPlayerMP3([](const QString& path) { return std::make_unique<NarrationSource>(path); }) {}

MediaPlayerMP3::MediaPlayerMP3(PcmSourceFactory openSource) : d(std::make_unique<Impl>()) {
    d->openSource = std::move(openSource);
}

MediaPlayerMP3::~MediaPlayerMP3() {
    close();
}

void MediaPlayerMP3::close() noexcept {
    if (!d->source)
        return;
    d->output->stop(d->voice);
    d->voice = Voice{};
    d->source.reset();
    d->openName.clear();
}

void MediaPlayerMP3::setFileName(const QString& relativePath) {
    d->fileName = relativePath;
}

const QString& MediaPlayerMP3::fileName() const {
    return d->fileName;
}

void MediaPlayerMP3::open() {
    close();
    if (d->fileName.isEmpty())
        throw EMCIDeviceError(QStringLiteral("Aucun nom de fichier n'a été indiqué"));
    d->source = d->openSource(paths::resolve(d->fileName));
    d->voice.source = d->source.get();
    d->voice.receiver = &d->receiver;
    d->openName = d->fileName;
    qCDebug(lcAudio) << "ouvert" << d->openName << d->source->sourceRate() << "Hz,"
                     << d->source->sourceChannels() << "voie(s)";
}

void MediaPlayerMP3::play() {
    if (!d->source)
        throw EMCIDeviceError(QStringLiteral("Aucun périphérique MCI ouvert"));
    if (isPlaying()) {
        d->playRefused = false;
        return;
    }
    // Not playing, so the audio thread leaves the source alone until start() below.
    if (d->source->finished() && !d->source->rewind()) {
        d->playRefused = true;
        qCInfo(lcAudio) << "lecture refusée : retour au début impossible" << d->openName;
        return;
    }
    d->playRefused = !d->output->start(d->voice);
    if (d->playRefused)
        qCInfo(lcAudio) << "lecture refusée : aucune sortie audio" << d->openName;
}

bool MediaPlayerMP3::isOpen() const {
    return d->source != nullptr;
}

QString MediaPlayerMP3::openFile() const {
    return d->openName;
}

bool MediaPlayerMP3::isPlaying() const {
    const std::lock_guard lock(d->output->mutex());
    return d->voice.playing;
}

bool MediaPlayerMP3::lastPlayRefused() const {
    return d->playRefused;
}

int64_t MediaPlayerMP3::framesDelivered() const {
    const std::lock_guard lock(d->output->mutex());
    return d->voice.framesDelivered;
}

std::optional<std::chrono::steady_clock::time_point> MediaPlayerMP3::firstDeliveryTime() const {
    const std::lock_guard lock(d->output->mutex());
    return d->voice.firstDelivery;
}

int MediaPlayerMP3::endOfPlayNotices() const {
    return d->receiver.received();
}
