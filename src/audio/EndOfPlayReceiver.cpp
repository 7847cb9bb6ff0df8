// End-of-play notices: posted by the audio thread, delivered on the player's thread.
#include "audio/EndOfPlayReceiver.h"

#include "audio/AudioLog.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

QEvent::Type endOfPlayType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

} // namespace

void EndOfPlayReceiver::post() {
    // A notice still queued when the receiver dies is dropped by QObject's destructor.
    QCoreApplication::postEvent(this, new QEvent(endOfPlayType()));
}

bool EndOfPlayReceiver::event(QEvent* event) {
    if (event->type() != endOfPlayType())
        return QObject::event(event);
    ++received_;
    qCDebug(lcAudio) << "fin de lecture signalée";
    return true;
}
