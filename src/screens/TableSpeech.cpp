// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The sentences of the table, built from the set's words and the game's phrases.
#include "screens/TableSpeech.h"

#include "assets/Catalogue.h"
#include "assets/PhraseTexts.h"
#include "screens/Partida.h"

namespace tablespeech {

using catalogue::Phrase;
using sevens::Event;

namespace {

QString phrase(Phrase which) {
    return PhraseTexts::voiceFile(which);
}

} // namespace

QString cardVoice(sevens::Card card) {
    return catalogue::cardSound(catalogue::cardNumber(card.family, card.slot));
}

QString familyVoice(int family) {
    return catalogue::cardSound(catalogue::titleNumber(family));
}

QString nameVoice(int player) {
    return phrase(catalogue::opponentName(player));
}

QStringList request(int asked, sevens::Card card) {
    QStringList parts;
    if (asked != Partida::child)
        parts << nameVoice(asked);
    parts << phrase(Phrase::InFamily) << familyVoice(card.family) << phrase(Phrase::IWant)
          << cardVoice(card);
    return parts;
}

QStringList of(const Event& event, const sevens::SevensGame& game) {
    const bool byChild = event.actor == Partida::child;
    switch (event.kind) {
    case Event::Kind::Asked:
        return request(event.target, event.card);
    case Event::Kind::HandedOver:
        return {phrase(Phrase::HereItIs)};
    case Event::Kind::NotHere:
        return {phrase(Phrase::NoDraw)};
    case Event::Kind::LuckyDraw:
        return {phrase(Phrase::GoodDraw)};
    case Event::Kind::Drew:
    case Event::Kind::EmptyHandDraw:
        // Only the child sees what it drew: its word says which card came into the hand.
        return byChild && event.card.valid() ? QStringList{cardVoice(event.card)} : QStringList{};
    case Event::Kind::FamilyLaidDown:
        return {familyVoice(event.family), phrase(Phrase::FamilyComplete)};
    case Event::Kind::GameOver: {
        QStringList parts;
        for (const int winner : game.winners()) {
            if (winner == Partida::child)
                parts << phrase(Phrase::YouWon);
            else
                parts << nameVoice(winner) << phrase(Phrase::HasWon);
        }
        return parts;
    }
    case Event::Kind::SitsOut:
    case Event::Kind::TurnTo:
        break;
    }
    return {};
}

} // namespace tablespeech
