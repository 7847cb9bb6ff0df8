// The receiver of a player's end-of-play notices, queued from the decoder thread to the player's.
#pragma once

#include <QObject>

class EndOfPlayReceiver : public QObject {
public:
    // Called on the decoder thread, under its list's lock, while the player is still open.
    void post();
    int received() const { return received_; }

protected:
    bool event(QEvent* event) override;

private:
    int received_ = 0;
};
