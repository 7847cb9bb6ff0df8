// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A take is made into a voice as soon as it ends, staged for listening outside the set, and
// written to the set only when it is kept.
#include "workshop/RecordingSession.h"

#include "base/Errors.h"
#include "sets/SafeWrite.h"
#include "workshop/VoiceMaker.h"
#include "workshop/WordCommands.h"

#include <QFile>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

const QString stagedName = QStringLiteral("escota.mp3");
constexpr double meterFloorDb = -60.0;
constexpr double quietestLevel = 1e-6;

} // namespace

RecordingSession::RecordingSession(std::unique_ptr<SetFolder> folder)
    : folder_(std::move(folder)), voices_(*folder_) {
    rescan();
    if (!capture_.open())
        status_ = {QStringLiteral("Cap de microfòn : l'enregistrament es desactivat (%1). "
                                  "Podètz totjorn importar un son.")
                       .arg(capture_.error()),
                   true};
}

namespace {

const QString sittingPrompt =
    QStringLiteral("Legissètz lo mot : quand vos calatz, lo seguent ven sol. Espaci : tornar far "
                   "lo precedent. Escapar : arrestar.");

const QString sittingDoubt =
    QStringLiteral("%1. Entrada : lo gardar parièr. Espaci : tornar legir aqueste.");

} // namespace

RecordingSession::~RecordingSession() {
    player_.close();
}

RecordingSession::State RecordingSession::state() const {
    if (capture_.isRecording())
        return State::Recording;
    return take_.isEmpty() ? State::Idle : State::Review;
}

double RecordingSession::meterLevel() const {
    // In decibels, so the room's noise shows as well as the voice: the microphone is live.
    const double level = std::max(double(capture_.level()), quietestLevel);
    const double db = std::clamp(20.0 * std::log10(level), meterFloorDb, 0.0);
    return (db - meterFloorDb) / -meterFloorDb;
}

void RecordingSession::select(const QString& voiceName) {
    if (voiceName == current_)
        return;
    guarded([&] {
        if (capture_.isRecording())
            capture_.stop();
        dropTake();
        review_.reset();
        current_ = voiceName;
    });
}

void RecordingSession::startRecording() {
    if (!canRecord() || capture_.isRecording())
        return;
    guarded([this] {
        dropTake();
        family_.stop();
        capture_.start();
        status_ = {QStringLiteral("Parlatz, puèi arrestatz amb lo boton o la barra d'espaci.")};
    });
}

void RecordingSession::stopRecording() {
    if (inDoubt()) {
        sitting_->redoDoubtful();
        status_ = {sittingPrompt};
        return;
    }
    if (inSitting()) {
        sitting_->redoPrevious();
        current_ = sitting_->current();
        return;
    }
    if (!capture_.isRecording())
        return;
    guarded([this] {
        const Take take = capture_.stop();
        review_ = TakeReview::of(take, TakeReview::viewSlices);
        QByteArray voice = voicemaker::makeVoice(take);
        safewrite::write(stagedPath(), voice);
        take_ = std::move(voice);
        status_ = {QStringLiteral("Escotatz l'enregistrament, puèi gardatz-lo o tornatz far.")};
    });
}

void RecordingSession::toggleRecording() {
    if (capture_.isRecording())
        stopRecording();
    else
        startRecording();
}

void RecordingSession::cancel() {
    if (inSitting()) {
        sitting_->stop();
        status_ = {QStringLiteral("Enregistrar tot arrestat : %1 votz gardadas.")
                       .arg(sitting_->written().size())};
        return;
    }
    if (state() == State::Idle)
        return;
    guarded([this] {
        if (capture_.isRecording())
            capture_.stop();
        dropTake();
        status_ = {QStringLiteral("Enregistrament abandonat.")};
    });
}

void RecordingSession::listen() {
    if (state() == State::Recording || current_.isEmpty())
        return;
    guarded([this] {
        family_.stop();
        player_.close();
        if (state() == State::Idle) {
            family_.play(*folder_, {current_});
            return;
        }
        player_.setFileName(stagedPath());
        player_.open();
        player_.play();
    });
}

void RecordingSession::listenFamily() {
    if (state() == State::Recording || current_.isEmpty())
        return;
    guarded([this] {
        player_.close();
        family_.play(*folder_, VoicePlayer::rowsWith(current_));
    });
}

void RecordingSession::keep() {
    if (state() != State::Review)
        return;
    guarded([this] {
        player_.close();
        folder_->write(current_, take_);
        wordcommands::recorded(*folder_, current_);
        dropTake();
        status_ = {QStringLiteral("Votz gardada.")};
    });
}

void RecordingSession::again() {
    guarded([this] {
        dropTake();
        status_ = {};
    });
}

void RecordingSession::undo() {
    if (current_.isEmpty() || state() == State::Recording)
        return;
    guarded([this] {
        player_.close();
        folder_->undo(current_);
        status_ = {QStringLiteral("Votz precedenta tornada.")};
    });
}

void RecordingSession::restoreDefault() {
    if (current_.isEmpty() || state() == State::Recording)
        return;
    guarded([this] {
        player_.close();
        folder_->restoreDefault(current_);
        status_ = {QStringLiteral("Votz per defaut tornada.")};
    });
}

void RecordingSession::importInto(const QString& voiceName, const QString& file) {
    if (voiceName.isEmpty() || state() == State::Recording)
        return;
    guarded([&] {
        player_.close();
        if (voiceName == current_)
            dropTake();
        status_ = {voicemaker::importFile(*folder_, file, voiceName)};
        wordcommands::recorded(*folder_, voiceName);
    });
}

void RecordingSession::changeSet(const std::function<QString(SetFolder& folder)>& change) {
    if (state() == State::Recording)
        return;
    guarded([&] {
        dropTake();
        status_ = {change(*folder_).trimmed()};
    });
}

void RecordingSession::keepDoubtful() {
    if (!inDoubt())
        return;
    sitting_->keepDoubtful();
    current_ = sitting_->current();
    status_ =
        inSitting() ? Status{sittingPrompt} : Status{QStringLiteral("Enregistrar tot acabat.")};
    rescan();
}

void RecordingSession::tick() {
    if (inSitting()) {
        const int before = sitting_->position();
        sitting_->tick();
        if (inDoubt()) {
            status_ = {sittingDoubt.arg(sitting_->doubt()), true};
            return;
        }
        if (sitting_->position() == before)
            return;
        current_ = sitting_->current();
        status_ =
            inSitting() ? Status{sittingPrompt} : Status{QStringLiteral("Enregistrar tot acabat.")};
        rescan();
        return;
    }
    if (capture_.isRecording() && capture_.isFull())
        stopRecording();
}

void RecordingSession::startSitting(bool skipRecorded) {
    if (state() == State::Recording)
        return;
    guarded([&] {
        dropTake();
        family_.stop();
        sitting_.reset();
        sitting_ = std::make_unique<Sitting>(*folder_, capture_, skipRecorded);
        if (!sitting_->start()) {
            status_ = {capture_.isOpen() ? QStringLiteral("Pas res a enregistrar.")
                                         : QStringLiteral("Cap de microfòn."),
                       true};
            return;
        }
        current_ = sitting_->current();
        status_ = {sittingPrompt};
    });
}

void RecordingSession::rescan() {
    for (const QString& name : voices_.rescan())
        if (!changed_.contains(name))
            changed_ << name;
}

QStringList RecordingSession::takeChanges() {
    return std::exchange(changed_, {});
}

void RecordingSession::guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const Exception& error) {
        status_ = {error.message(), true};
    } catch (const std::exception& error) {
        status_ = {QString::fromLocal8Bit(error.what()), true};
    }
    // Whatever the step did to the folder shows at once, without waiting for the watcher.
    rescan();
}

void RecordingSession::dropTake() {
    if (take_.isEmpty())
        return;
    player_.close();
    take_.clear();
    QFile::remove(stagedPath());
}

QString RecordingSession::stagedPath() const {
    return staging_.filePath(stagedName);
}
