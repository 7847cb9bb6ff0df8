// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// ModalDriver: acts once per modal showing, from inside the screen's own event loop.
#include "support/ModalDriver.h"

#include "toolkit/Form.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>

ModalDriver::ModalDriver() {
    qApp->installEventFilter(this);
}

ModalDriver::~ModalDriver() {
    qApp->removeEventFilter(this);
}

bool ModalDriver::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        auto* form = qobject_cast<Form*>(watched);
        if (form && form->isShowingModally()) {
            QPointer<Form> guard(form);
            QTimer::singleShot(0, this, [this, guard] {
                if (!guard || !guard->isShowingModally())
                    return;
                opened_ << guard->objectName();
                if (inside)
                    inside(guard);
                if (!keepOpen && guard && guard->isShowingModally())
                    guard->close();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
