// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One worker thread makes the voices in the order they were read, so a redone row's last take is
// the one that stays; the capture restarts before the work is queued.
#include "workshop/Sitting.h"

#include "base/Errors.h"
#include "sets/SetFolder.h"
#include "takes/VoiceCapture.h"
#include "workshop/VoiceMaker.h"
#include "workshop/WordCommands.h"

#include <QMutexLocker>

Sitting::Sitting(SetFolder& folder, VoiceCapture& capture, bool skipRecorded)
    : folder_(folder), capture_(capture) {
    for (const QString& name : SetFolder::voiceNames())
        if (!skipRecorded || !folder.isOwn(name) || !wordcommands::saysOld(folder, name).isEmpty())
            rows_ << name;
    worker_.setMaxThreadCount(1);
}

Sitting::~Sitting() {
    if (capture_.isRecording())
        capture_.stop();
    waitForWrites();
}

bool Sitting::start() {
    if (rows_.isEmpty() || !capture_.isOpen())
        return false;
    current_ = 0;
    beginTake();
    return true;
}

QString Sitting::current() const {
    return isOver() ? QString() : rows_.at(current_);
}

void Sitting::beginTake() {
    end_.emplace(VoiceCapture::rate);
    fed_ = 0;
    capture_.start();
}

void Sitting::tick() {
    if (isOver() || !capture_.isRecording())
        return;
    const std::vector<float> fresh = capture_.samplesFrom(fed_);
    fed_ += int64_t(fresh.size());
    const bool ended = end_->feed(fresh.data(), fresh.size());
    if (!ended && !capture_.isFull())
        return;
    const auto heard = std::chrono::steady_clock::now();
    const QString row = rows_.at(current_);
    if (end_->heardSpeech())
        handOver(row);
    previous_ = current_;
    if (++current_ >= rows_.size()) {
        current_ = -1;
        capture_.stop();
    } else {
        beginTake();
    }
    lastGap_ = std::chrono::steady_clock::now() - heard;
}

void Sitting::handOver(const QString& row) {
    // The take ends at the end of its silence; what came after belongs to the next row.
    Take take = capture_.stop();
    take.samples.resize(std::min(take.samples.size(), size_t(end_->endFrame())));
    worker_.start([this, row, take = std::move(take)] {
        try {
            folder_.write(row, voicemaker::makeVoice(take));
            wordcommands::recorded(folder_, row);
            const QMutexLocker lock(&results_);
            written_ << row;
        } catch (const Exception& error) {
            const QMutexLocker lock(&results_);
            refused_ << QStringLiteral("%1 : %2").arg(row, error.message());
        }
    });
}

void Sitting::redoPrevious() {
    if (previous_ < 0)
        return;
    if (capture_.isRecording())
        capture_.stop();
    current_ = previous_;
    previous_ = current_ > 0 ? current_ - 1 : -1;
    beginTake();
}

void Sitting::stop() {
    if (capture_.isRecording())
        capture_.stop();
    current_ = -1;
}

QStringList Sitting::written() const {
    const QMutexLocker lock(&results_);
    return written_;
}

QStringList Sitting::refused() const {
    const QMutexLocker lock(&results_);
    return refused_;
}

void Sitting::waitForWrites() {
    worker_.waitForDone();
}
