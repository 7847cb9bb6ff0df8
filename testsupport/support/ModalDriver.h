// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the part of a child in front of modal screens: whenever a screen opens modally, runs
// the test's actions inside it, then closes it with its close box.
#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

class Form;

class ModalDriver : public QObject {
public:
    ModalDriver();
    ~ModalDriver() override;

    // Called inside each modal showing, before the screen is closed.
    std::function<void(Form*)> inside;
    // Leave the screen open after `inside` (the test closes it itself).
    bool keepOpen = false;
    const QStringList& opened() const { return opened_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QStringList opened_;
};
