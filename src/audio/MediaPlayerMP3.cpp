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
    const uint64_t id = EndOfPlayReceiver::instance().addPlayer();
    QString fileName;
    QString openName;
    PcmSourceFactory openSource;
    // Shared with its filler thread, which may still be inside a read of it after a close.
    std::shared_ptr<MixerVoice> voice;
    bool playRefused = false;

    void refuse(const char* why) {
        qCInfo(lcAudio) << "lecture refusée :" << why << openName;
        playRefused = true;
    }
};

MediaPlayerMP3::MediaPlayerMP3()
    : MediaPlayerMP3([](const QString& path) { return std::make_unique<NarrationSource>(path); }) {}

MediaPlayerMP3::MediaPlayerMP3(PcmSourceFactory openSource) : d(std::make_unique<Impl>()) {
    d->openSource = std::move(openSource);
}

MediaPlayerMP3::~MediaPlayerMP3() {
    close();
    EndOfPlayReceiver::instance().removePlayer(d->id);
}

void MediaPlayerMP3::close() noexcept {
    if (!d->voice)
        return;
    d->output->remove(*d->voice);
    // The file goes with the voice: here, or on its filler thread once its read in progress ends.
    d->voice->release();
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
    d->voice = std::make_shared<MixerVoice>(std::move(source), d->id);
    d->openName = d->fileName;
}

void MediaPlayerMP3::play() {
    if (!d->voice)
        throw EMCIDeviceError(QStringLiteral("Aucun périphérique MCI ouvert"));
    d->playRefused = false;
    if (isPlaying())
        return;
    const std::optional<uint32_t> epoch = d->output->prepare();
    if (!epoch) {
        d->refuse("aucune sortie audio");
        return;
    }
    d->output->remove(*d->voice);
    if (!d->output->hasRoom()) {
        d->refuse("trop de lectures en même temps");
        return;
    }
    // A voice cut off by a lost device keeps its file until its filler's read ends.
    if (!MixerVoice::start(d->voice, *epoch)) {
        d->refuse("lecture précédente pas finie ou retour au début impossible");
        return;
    }
    d->output->add(*d->voice);
}

bool MediaPlayerMP3::isOpen() const {
    return d->voice != nullptr;
}

QString MediaPlayerMP3::openFile() const {
    return d->openName;
}

bool MediaPlayerMP3::isPlaying() const {
    return d->voice && d->output->mixing(*d->voice) && VoiceState::sounding(d->voice->phase()) &&
           d->voice->epoch() == AudioOutput::epoch();
}

bool MediaPlayerMP3::lastPlayRefused() const {
    return d->playRefused || (d->voice && d->voice->phase() == VoiceState::Phase::Refused);
}

const MixerVoice* MediaPlayerMP3::voice() const {
    return d->voice.get();
}

uint64_t MediaPlayerMP3::id() const {
    return d->id;
}
