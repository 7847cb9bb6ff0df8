// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// DialogWatcher: records and clicks "OK" on each message box once it is on screen.
#include "support/DialogWatcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

DialogWatcher::DialogWatcher() {
    qApp->installEventFilter(this);
}

DialogWatcher::~DialogWatcher() {
    qApp->removeEventFilter(this);
}

QStringList DialogWatcher::texts() const {
    QStringList all;
    for (const ShownDialog& d : shown_)
        all << d.text;
    return all;
}

bool DialogWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched)) {
            ShownDialog dialog{box->windowTitle(), box->text(), box->icon(), {}};
            for (QAbstractButton* b : box->buttons())
                dialog.buttons << b->text();
            shown_.append(dialog);
            if (onShown)
                onShown(dialog);
            QPointer<QMessageBox> guard(box);
            // Answer once the box's own loop runs, as a person clicking "OK" would.
            QTimer::singleShot(0, box, [guard] {
                if (guard && !guard->buttons().isEmpty())
                    guard->buttons().constFirst()->click();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
