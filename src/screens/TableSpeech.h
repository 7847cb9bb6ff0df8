// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the table says: each event of the game as a sentence, the voices of its parts in order.
#pragma once

#include "sevens/Card.h"
#include "sevens/Event.h"

#include <QStringList>
#include <vector>

namespace sevens {
class SevensGame;
}

namespace tablespeech {

// The voice of a card's word, and of a family's name.
QString cardVoice(sevens::Card card);
QString familyVoice(int family);
// A computer player's name (players 1 to 3).
QString nameVoice(int player);

// A request: the asked player's name (none when the child is asked), "Dins la familha", the
// family's name, "vòli", the card's word.
QStringList request(int asked, sevens::Card card);
// What the child hears of an event; empty for the events that say nothing. The game gives the
// winners at its end.
QStringList of(const sevens::Event& event, const sevens::SevensGame& game);

} // namespace tablespeech
