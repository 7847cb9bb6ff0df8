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

EndOfPlayReceiver::EndOfPlayReceiver(std::mutex& outputMutex) : outputMutex_(outputMutex) {}

void EndOfPlayReceiver::post() {
    // A notice still queued when the receiver dies is dropped by QObject's destructor.
    QCoreApplication::postEvent(this, new QEvent(endOfPlayType()));
}

bool EndOfPlayReceiver::event(QEvent* event) {
    if (event->type() != endOfPlayType())
        return QObject::event(event);
    {
        // Qt's queue does not show thread sanitizers that the event was made on the audio
        // thread before it is freed here; passing through the lock it was posted under does.
        const std::lock_guard lock(outputMutex_);
    }
    ++received_;
    qCDebug(lcAudio) << "fin de lecture signalée";
    return true;
}
