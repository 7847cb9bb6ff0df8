// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The sentence player: its parts opened and joined into one source, played on the shared output
// as one channel, its end told through the end-of-play notices.
#include "audio/SentencePlayer.h"

#include "audio/AudioLog.h"
#include "audio/AudioOutput.h"
#include "audio/EndOfPlayReceiver.h"
#include "audio/MixerChannel.h"
#include "audio/NarrationSource.h"
#include "audio/SentenceSource.h"
#include "base/Errors.h"
#include "base/Paths.h"

struct SentencePlayer::Impl {
    // First, so that the output, which may hold the last reference to the device at exit, goes
    // after the rest.
    std::shared_ptr<AudioOutput> output = AudioOutput::shared();
    PcmSourceFactory openPart;
    std::function<void()> onFinished;
    // Each sentence has its own number for its notice, forgotten at its close: a notice of a
    // closed sentence that arrives late finds nobody.
    uint64_t id = 0;
    std::shared_ptr<MixerChannel> channel;
    QStringList played;
    bool refused = false;

    std::vector<std::unique_ptr<PcmSource>> open(const QStringList& parts) {
        std::vector<std::unique_ptr<PcmSource>> sources;
        played.clear();
        for (const QString& part : parts) {
            try {
                sources.push_back(openPart(paths::resolve(part)));
                played << part;
            } catch (const std::exception& error) {
                qCWarning(lcAudio) << "partie de phrase sautée :" << part << error.what();
            }
        }
        return sources;
    }

    void refuse(const char* why) {
        qCInfo(lcAudio) << "phrase refusée :" << why << played;
        refused = true;
        // The sentence will not be heard: its end comes now, through the event loop all the same.
        EndOfPlayReceiver::instance().post(id);
    }
};

SentencePlayer::SentencePlayer()
    : SentencePlayer([](const QString& path) { return std::make_unique<NarrationSource>(path); }) {}

SentencePlayer::SentencePlayer(PcmSourceFactory openPart) : d(std::make_unique<Impl>()) {
    d->openPart = std::move(openPart);
}

SentencePlayer::~SentencePlayer() {
    close();
}

void SentencePlayer::setOnFinished(std::function<void()> onFinished) {
    d->onFinished = std::move(onFinished);
}

void SentencePlayer::close() noexcept {
    if (d->id != 0)
        EndOfPlayReceiver::instance().removePlayer(d->id);
    d->id = 0;
    if (!d->channel)
        return;
    d->output->remove(*d->channel);
    // The parts' files go with the channel: here, or on its filler thread once its read ends.
    d->channel->release();
    d->channel.reset();
}

void SentencePlayer::play(const QStringList& parts, std::chrono::milliseconds pause) {
    close();
    d->refused = false;
    Impl* impl = d.get();
    d->id = EndOfPlayReceiver::instance().addPlayer([impl] {
        if (impl->onFinished)
            impl->onFinished();
    });
    const auto pauseFrames = int(pause.count() * AudioOutput::rate / 1000);
    try {
        d->channel = std::make_shared<MixerChannel>(
            std::make_unique<SentenceSource>(d->open(parts), pauseFrames), d->id, true);
    } catch (const std::exception& error) { // out of memory
        qCWarning(lcAudio) << "phrase impossible :" << error.what();
        d->refuse("pas de mémoire");
        return;
    }
    const std::optional<uint32_t> epoch = d->output->prepare();
    if (!epoch) {
        d->refuse("aucune sortie audio");
        return;
    }
    if (!d->output->hasRoom()) {
        d->refuse("trop de lectures en même temps");
        return;
    }
    if (!MixerChannel::start(d->channel, *epoch)) {
        d->refuse("pas de fil de lecture");
        return;
    }
    d->output->add(*d->channel);
}

bool SentencePlayer::isPlaying() const {
    return d->channel && d->output->mixing(*d->channel) &&
           ChannelState::sounding(d->channel->phase()) &&
           d->channel->epoch() == AudioOutput::epoch();
}

const QStringList& SentencePlayer::playedParts() const {
    return d->played;
}

bool SentencePlayer::lastPlayRefused() const {
    return d->refused || (d->channel && d->channel->phase() == ChannelState::Phase::Refused);
}

const MixerChannel* SentencePlayer::channel() const {
    return d->channel.get();
}

uint64_t SentencePlayer::id() const {
    return d->id;
}
