// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// End-of-play notices: posted by the output's threads, delivered on the players' thread.
#include "audio/EndOfPlayReceiver.h"

#include "audio/AudioLog.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

QEvent::Type endOfPlayType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

class EndOfPlay : public QEvent {
public:
    explicit EndOfPlay(uint64_t player) : QEvent(endOfPlayType()), player(player) {}
    const uint64_t player;
};

} // namespace

EndOfPlayReceiver& EndOfPlayReceiver::instance() {
    static EndOfPlayReceiver receiver;
    return receiver;
}

uint64_t EndOfPlayReceiver::addPlayer() {
    received_.insert(++lastPlayer_, 0);
    return lastPlayer_;
}

void EndOfPlayReceiver::removePlayer(uint64_t player) {
    received_.remove(player);
}

void EndOfPlayReceiver::post(uint64_t player) {
    QCoreApplication::postEvent(this, new EndOfPlay(player));
}

bool EndOfPlayReceiver::event(QEvent* event) {
    if (event->type() != endOfPlayType())
        return QObject::event(event);
    const auto found = received_.find(static_cast<EndOfPlay*>(event)->player);
    if (found != received_.end()) {
        ++*found;
        qCDebug(lcAudio) << "fin de lecture signalée";
    }
    return true;
}
