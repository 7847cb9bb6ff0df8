// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// FocusOverlay: one transparent child per window, raised over its siblings, sized to the frame.
#include "toolkit/FocusOverlay.h"

#include "toolkit/FocusFrame.h"

#include <QApplication>
#include <QPainter>

FocusOverlay::FocusOverlay(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("focusOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, &FocusOverlay::place);
}

FocusOverlay* FocusOverlay::of(QWidget* window) {
    if (auto* overlay = window->findChild<FocusOverlay*>(QString(), Qt::FindDirectChildrenOnly))
        return overlay;
    return new FocusOverlay(window);
}

void FocusOverlay::follow(QWidget* control, Area area) {
    FocusOverlay* overlay = of(control->window());
    overlay->followed_.push_back({control, std::move(area)});
    overlay->place();
}

void FocusOverlay::refresh(QWidget* control) {
    of(control->window())->place();
}

// The frame stays inside the window, so that it never counts in the window's own size.
void FocusOverlay::place() {
    for (const Followed& followed : followed_) {
        QWidget* control = followed.control;
        if (control && control->hasFocus() && control->isVisible()) {
            const QRect area = followed.area(control);
            setGeometry(area.translated(control->mapTo(parentWidget(), QPoint()))
                            .intersected(parentWidget()->rect()));
            raise();
            show();
            update();
            return;
        }
    }
    hide();
}

void FocusOverlay::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    focusframe::paint(painter, rect());
}
