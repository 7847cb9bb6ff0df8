// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One press, one act, in every window of the program: a key held down acts on its press only,
// even when a message box or another screen takes the keyboard while it is down, and acts again
// only once it has been released.
#pragma once

#include "toolkit/KeyHolds.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

class HeldKeys : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // Watches the keys of every window for the whole run; forms and message boxes call it as
    // they are made, so no screen has anything to do.
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    explicit HeldKeys(QObject* parent);
    // Forgets the keys down that X no longer has down.
    void keepKeysDownInX();

    KeyHolds holds_;
};
