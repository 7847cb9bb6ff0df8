// The narration player: the file checks of open, and play and close over the shared output.
#include "audio/MediaPlayerMP3.h"

#include "audio/AudioLog.h"
#include "audio/AudioOutput.h"
#include "audio/EndOfPlayReceiver.h"
#include "audio/MixerVoice.h"
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
    // Shared with the decoder thread, which may still be inside a read of it after a close.
    std::shared_ptr<MixerVoice> voice;
    bool playRefused = false;

    // Takes the voice out of the output. A play that ended and whose notice the decoder thread
    // has not posted yet gets it from here, as it would have had without the close or replay.
    void stopVoice() noexcept {
        output->stop(*voice);
        if (voice->ended.load() && voice->noticeDue.exchange(false))
            receiver.post();
    }
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
    if (!d->voice)
        return;
    d->stopVoice();
    // The file goes with the voice: here, or on the decoder thread once its read in progress ends.
    d->voice.reset();
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
    auto source = d->openSource(paths::resolve(d->fileName));
    qCDebug(lcAudio) << "ouvert" << d->fileName << source->sourceRate() << "Hz,"
                     << source->sourceChannels() << "voie(s)";
    d->voice = std::make_shared<MixerVoice>(std::move(source), &d->receiver);
    d->openName = d->fileName;
}

void MediaPlayerMP3::play() {
    if (!d->voice)
        throw EMCIDeviceError(QStringLiteral("Aucun périphérique MCI ouvert"));
    if (isPlaying()) {
        d->playRefused = false;
        return;
    }
    d->playRefused = !d->output->deviceReady();
    if (d->playRefused) {
        qCInfo(lcAudio) << "lecture refusée : aucune sortie audio" << d->openName;
        return;
    }
    MixerVoice& voice = *d->voice;
    // A word that played out (or was cut off with a lost device) leaves the mix and the decoder
    // thread; then nothing else touches its source and ring.
    d->stopVoice();
    {
        const std::lock_guard lock(voice.sourceMutex);
        if ((voice.source->finished() || voice.cutOff.load()) && !voice.source->rewind()) {
            d->playRefused = true;
            qCInfo(lcAudio) << "lecture refusée : retour au début impossible" << d->openName;
            return;
        }
        voice.cutOff.store(false);
        voice.prefill();
        voice.noticeDue.store(true);
        voice.ended.store(false, std::memory_order_release);
    }
    d->playRefused = !d->output->start(d->voice);
    if (d->playRefused) {
        voice.ended.store(true);
        voice.cutOff.store(true); // its head is spent: the next play starts from the beginning
        qCInfo(lcAudio) << "lecture refusée : trop de lectures en même temps" << d->openName;
    }
}

bool MediaPlayerMP3::isOpen() const {
    return d->voice != nullptr;
}

QString MediaPlayerMP3::openFile() const {
    return d->openName;
}

bool MediaPlayerMP3::isPlaying() const {
    return d->voice && d->output->mixing(*d->voice) && !d->voice->ended.load();
}

bool MediaPlayerMP3::lastPlayRefused() const {
    return d->playRefused;
}

int64_t MediaPlayerMP3::framesDelivered() const {
    return d->voice ? d->voice->framesDelivered() : 0;
}

std::optional<std::chrono::steady_clock::time_point> MediaPlayerMP3::firstDeliveryTime() const {
    return d->voice ? d->voice->firstDelivery() : std::nullopt;
}

int MediaPlayerMP3::endOfPlayNotices() const {
    return d->receiver.received();
}
