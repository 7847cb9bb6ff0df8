// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The table's sentences played part after part through the narration player.
#include "screens/TableVoice.h"

#include "base/Errors.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcTableVoice, "mirabosc.audio.table", QtWarningMsg)

// How often the end of a part is looked for; well under the pause between parts a listener hears.
constexpr std::chrono::milliseconds pollEvery{20};

} // namespace

TableVoice::TableVoice(QObject* parent) : QObject(parent) {
    pause_.setSingleShot(true);
    pause_.setInterval(pauseAfter);
    connect(&pause_, &QTimer::timeout, this, [this] {
        if (queue_.empty())
            emit quiet();
        else
            startNext();
    });
    poll_.setInterval(pollEvery);
    connect(&poll_, &QTimer::timeout, this, &TableVoice::poll);
}

void TableVoice::say(const QStringList& parts) {
    if (parts.isEmpty())
        return;
    last_ = parts;
    queue_.push_back(parts);
    if (!speaking_ && !pause_.isActive())
        startNext();
}

void TableVoice::sayWord(const QString& voice) {
    if (busy())
        return;
    player_.close();
    try {
        player_.setFileName(voice);
        player_.open();
        player_.play();
    } catch (const Exception& error) {
        qCInfo(lcTableVoice).noquote() << "mot pas jogat :" << error.message();
    }
}

void TableVoice::stop() {
    queue_.clear();
    pause_.stop();
    poll_.stop();
    speaking_ = false;
    player_.close();
}

void TableVoice::startNext() {
    current_ = queue_.front();
    queue_.pop_front();
    part_ = 0;
    speaking_ = true;
    playPart();
}

// A part that cannot be played is skipped and logged: the child hears the rest of the sentence.
void TableVoice::playPart() {
    player_.close();
    while (part_ < current_.size()) {
        try {
            player_.setFileName(current_.at(part_));
            player_.open();
            player_.play();
            if (!player_.lastPlayRefused()) {
                poll_.start();
                return;
            }
        } catch (const Exception& error) {
            qCInfo(lcTableVoice).noquote() << "part sautada :" << error.message();
        }
        ++part_;
    }
    poll_.stop();
    speaking_ = false;
    pause_.start();
}

void TableVoice::poll() {
    if (player_.isPlaying())
        return;
    ++part_;
    playPart();
}
