// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The player's end of play is looked for often; the next voice starts then. A file that does not
// open is passed over with its reason kept, so one damaged voice does not silence the rest.
#include "workshop/VoicePlayer.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "sets/SetFolder.h"

#include <QFileInfo>
#include <utility>

namespace {

constexpr int endLookMs = 20;
const QString cardFolder = QStringLiteral("sons_familles/");
const QString pageFolder = QStringLiteral("son_album/");

} // namespace

VoicePlayer::VoicePlayer(QObject* parent) : QObject(parent) {
    timer_.setInterval(endLookMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (player_.isPlaying())
            return;
        if (player_.lastPlayRefused())
            problem_ = QStringLiteral("Cap de sortida sonòra per %1").arg(current_);
        advance();
    });
}

QStringList VoicePlayer::rowsWith(const QString& voiceName) {
    const int number = QFileInfo(voiceName).baseName().toInt();
    QStringList rows;
    if (voiceName.startsWith(cardFolder) && number >= 1 && number <= catalogue::lastCardNumber) {
        const int family = (number - 1) / (catalogue::cardsPerFamily + 1) + 1;
        const int title = catalogue::titleNumber(family);
        for (int card = title; card <= title + catalogue::cardsPerFamily; ++card)
            rows << cardFolder + QStringLiteral("%1.mp3").arg(card);
    } else if (voiceName.startsWith(pageFolder) && number >= 1 &&
               number <= catalogue::albumPageCount) {
        for (int page = number; page <= catalogue::albumPageCount; ++page)
            rows << pageFolder + QStringLiteral("%1.mp3").arg(page);
    }
    return rows;
}

void VoicePlayer::play(const SetFolder& folder, const QStringList& rows) {
    stop();
    rows_ = rows;
    files_.clear();
    // A set never written to is heard as the default set.
    for (const QString& row : rows)
        files_ << (QFileInfo::exists(folder.pathOf(row)) ? folder.pathOf(row)
                                                         : folder.defaultSet() + u'/' + row);
    problem_.clear();
    playing_ = !rows_.isEmpty();
    advance();
    if (playing_)
        timer_.start();
}

void VoicePlayer::stop() {
    timer_.stop();
    player_.close();
    rows_.clear();
    files_.clear();
    current_.clear();
    playing_ = false;
}

void VoicePlayer::advance() {
    while (!rows_.isEmpty()) {
        current_ = rows_.takeFirst();
        const QString file = files_.takeFirst();
        try {
            player_.close();
            player_.setFileName(file);
            player_.open();
            player_.play();
        } catch (const Exception& error) {
            problem_ = QStringLiteral("%1 se pòt pas ausir : %2").arg(current_, error.message());
            continue;
        }
        if (player_.lastPlayRefused()) {
            problem_ = QStringLiteral("Cap de sortida sonòra per %1").arg(current_);
            continue;
        }
        emit started(current_);
        return;
    }
    timer_.stop();
    player_.close();
    current_.clear();
    if (std::exchange(playing_, false))
        emit finished();
}
