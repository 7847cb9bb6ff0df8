// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The table's sentences played one after another through the sentence player.
#include "screens/TableVoice.h"

TableVoice::TableVoice(QObject* parent) : QObject(parent) {
    pause_.setSingleShot(true);
    pause_.setInterval(pauseAfter);
    connect(&pause_, &QTimer::timeout, this, [this] {
        if (queue_.empty())
            emit quiet();
        else
            startNext();
    });
    // A sentence that cannot be heard at all (no output, no part that plays) finishes at once.
    player_.setOnFinished([this] { finished(); });
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
    if (!busy())
        player_.play({voice});
}

void TableVoice::stop() {
    queue_.clear();
    pause_.stop();
    speaking_ = false;
    player_.close();
}

void TableVoice::startNext() {
    speaking_ = true;
    player_.play(queue_.front());
    queue_.pop_front();
}

// The end of a word says nothing to the table; the end of a sentence starts its pause.
void TableVoice::finished() {
    if (!speaking_)
        return;
    speaking_ = false;
    pause_.start();
}
