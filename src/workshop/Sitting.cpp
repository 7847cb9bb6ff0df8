// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One worker thread makes the voices in the order they were read, so a redone row's last take is
// the one that stays. The capture goes on from one row to the next: what was heard after the end
// of a row's silence is the start of the next row's take.
#include "workshop/Sitting.h"

#include "base/Errors.h"
#include "sets/SetFolder.h"
#include "takes/SpokenLength.h"
#include "takes/VoiceCapture.h"
#include "workshop/VoiceMaker.h"
#include "workshop/WordCommands.h"

#include <QMutexLocker>
#include <QRegularExpression>

Sitting::Sitting(SetFolder& folder, VoiceCapture& capture, bool skipRecorded)
    : folder_(folder), capture_(capture) {
    const VoiceTexts texts = wordcommands::textsOf(folder);
    // Then the game's phrases, which a set made before the game gets as its own files.
    for (const QString& name : SetFolder::voiceNames() + catalogue::phraseVoiceNames())
        if (!skipRecorded || !folder.isOwn(name) ||
            !wordcommands::saysOld(folder, name).isEmpty()) {
            rows_ << name;
            texts_ << texts.textOf(name);
        }
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
    // A page ends at a longer pause than a word: it has pauses between its sentences, as a
    // phrase of two sentences has.
    const QString& text = texts_.at(current_);
    static const QRegularExpression sentences(QStringLiteral("[.!?]\\s+\\S"));
    const bool page =
        rows_.at(current_).startsWith(QLatin1String("son_album")) || text.contains(sentences);
    end_.emplace(VoiceCapture::rate,
                 std::max(SpeechEnd::shortestSpeechSeconds,
                          spokenlength::quickestShare * spokenlength::expectedSeconds(text)),
                 page ? spokenlength::pagePauseSeconds : spokenlength::wordPauseSeconds);
    fed_ = 0;
    if (!capture_.isRecording())
        capture_.start();
}

void Sitting::tick() {
    if (isOver() || !doubt_.isEmpty() || !capture_.isRecording())
        return;
    const std::vector<float> fresh = capture_.samplesFrom(fed_);
    fed_ += int64_t(fresh.size());
    const bool ended = end_->feed(fresh.data(), fresh.size());
    if (!ended && !capture_.isFull())
        return;
    const auto heard = std::chrono::steady_clock::now();
    // The take ends at the end of its silence; what came after belongs to the next row.
    Take take = capture_.cut(ended ? end_->endFrame() : capture_.frames());
    take.samples.erase(take.samples.begin(),
                       take.samples.begin() +
                           std::ptrdiff_t(std::min(take.samples.size(), size_t(end_->keepFrom()))));
    doubt_ = end_->heardSpeech() ? spokenlength::doubt(texts_.at(current_), end_->speechSeconds())
             : end_->setAsideSeconds() > 0
                 ? QStringLiteral("Tròp cort : sonque %1 s de votz entenduda per « %2 », puèi un "
                                  "silenci (Entrada la garda, Espaci tòrna legir la linha)")
                       .arg(end_->setAsideSeconds(), 0, 'f', 2)
                       .arg(texts_.at(current_))
                 : QStringLiteral("Cap de paraula entenduda");
    if (!doubt_.isEmpty()) {
        capture_.stop();
        doubtful_ = std::move(take);
        return;
    }
    handOver(rows_.at(current_), std::move(take));
    advance();
    lastGap_ = std::chrono::steady_clock::now() - heard;
}

void Sitting::advance() {
    previous_ = current_;
    if (++current_ >= rows_.size()) {
        current_ = -1;
        capture_.stop();
    } else {
        beginTake();
    }
}

void Sitting::keepDoubtful() {
    if (doubt_.isEmpty())
        return;
    doubt_.clear();
    if (!doubtful_.samples.empty())
        handOver(rows_.at(current_), std::move(doubtful_));
    doubtful_ = {};
    advance();
}

void Sitting::redoDoubtful() {
    if (doubt_.isEmpty())
        return;
    doubt_.clear();
    doubtful_ = {};
    beginTake();
}

void Sitting::handOver(const QString& row, Take take) {
    const QString text = texts_.value(int(rows_.indexOf(row)));
    worker_.start([this, row, text, take = std::move(take)] {
        Handed handed{row, text, TakeReview::of(take, TakeReview::viewSlices), {}};
        {
            const QMutexLocker lock(&results_);
            handed.when = std::chrono::steady_clock::now();
            lastHanded_ = std::move(handed);
        }
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
    doubt_.clear();
    doubtful_ = {};
    if (capture_.isRecording())
        capture_.stop();
    current_ = previous_;
    previous_ = current_ > 0 ? current_ - 1 : -1;
    beginTake();
}

void Sitting::stop() {
    doubt_.clear();
    doubtful_ = {};
    if (capture_.isRecording())
        capture_.stop();
    current_ = -1;
}

QStringList Sitting::written() const {
    const QMutexLocker lock(&results_);
    return written_;
}

std::optional<Sitting::Handed> Sitting::lastHanded() const {
    const QMutexLocker lock(&results_);
    return lastHanded_;
}

QStringList Sitting::refused() const {
    const QMutexLocker lock(&results_);
    return refused_;
}

void Sitting::waitForWrites() {
    worker_.waitForDone();
}
