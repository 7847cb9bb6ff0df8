// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// End-of-play notices: posted by the output's threads, delivered on the players' thread.
#include "audio/EndOfPlayReceiver.h"

#include "audio/AudioLog.h"

#include <QCoreApplication>
#include <QEvent>
#include <exception>

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

uint64_t EndOfPlayReceiver::addPlayer(std::function<void()> onEnd) {
    players_.insert(++lastPlayer_, Player{0, std::move(onEnd)});
    return lastPlayer_;
}

void EndOfPlayReceiver::removePlayer(uint64_t player) {
    players_.remove(player);
}

void EndOfPlayReceiver::post(uint64_t player) {
    QCoreApplication::postEvent(this, new EndOfPlay(player));
}

bool EndOfPlayReceiver::event(QEvent* event) {
    if (event->type() != endOfPlayType())
        return QObject::event(event);
    const auto found = players_.find(static_cast<EndOfPlay*>(event)->player);
    if (found == players_.end())
        return true;
    ++found->received;
    qCDebug(lcAudio) << "fin de lecture signalée";
    // A copy: the call may add or forget players.
    const auto onEnd = found->onEnd;
    try {
        if (onEnd)
            onEnd();
    } catch (const std::exception& error) {
        // The listener should have kept it: no exception may cross the event loop.
        qCCritical(lcAudio) << "erreur après une fin de lecture :" << error.what();
    }
    return true;
}
