// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The narration player: the file checks of open, and play and close over the shared output.
#include "audio/MediaPlayerMP3.h"

#include "audio/AudioLog.h"
#include "audio/AudioOutput.h"
#include "audio/EndOfPlayReceiver.h"
#include "audio/MixerChannel.h"
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
    std::shared_ptr<MixerChannel> channel;
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
    if (!d->channel)
        return;
    d->output->remove(*d->channel);
    // The file goes with the channel: here, or on its filler thread once its read in progress ends.
    d->channel->release();
    d->channel.reset();
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
    d->channel = std::make_shared<MixerChannel>(std::move(source), d->id);
    d->openName = d->fileName;
}

void MediaPlayerMP3::play() {
    if (!d->channel)
        throw EMCIDeviceError(QStringLiteral("Aucun périphérique MCI ouvert"));
    d->playRefused = false;
    if (isPlaying())
        return;
    const std::optional<uint32_t> epoch = d->output->prepare();
    if (!epoch) {
        d->refuse("aucune sortie audio");
        return;
    }
    d->output->remove(*d->channel);
    if (!d->output->hasRoom()) {
        d->refuse("trop de lectures en même temps");
        return;
    }
    // A channel cut off by a lost device keeps its file until its filler's read ends.
    if (!MixerChannel::start(d->channel, *epoch)) {
        d->refuse("lecture précédente pas finie ou retour au début impossible");
        return;
    }
    d->output->add(*d->channel);
}

bool MediaPlayerMP3::isOpen() const {
    return d->channel != nullptr;
}

QString MediaPlayerMP3::openFile() const {
    return d->openName;
}

bool MediaPlayerMP3::isPlaying() const {
    return d->channel && d->output->mixing(*d->channel) &&
           ChannelState::sounding(d->channel->phase()) &&
           d->channel->epoch() == AudioOutput::epoch();
}

bool MediaPlayerMP3::lastPlayRefused() const {
    return d->playRefused || (d->channel && d->channel->phase() == ChannelState::Phase::Refused);
}

const MixerChannel* MediaPlayerMP3::channel() const {
    return d->channel.get();
}

uint64_t MediaPlayerMP3::id() const {
    return d->id;
}
