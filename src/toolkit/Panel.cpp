// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Panel: look and pointer reporting.
#include "toolkit/Panel.h"

#include <QMouseEvent>

Panel::Panel(QWidget* parent, const QString& name, QRect rect, const QColor& colour)
    : QFrame(parent) {
    setObjectName(name);
    setGeometry(rect);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void Panel::mouseMoveEvent(QMouseEvent* event) {
    event->accept();
    emit mouseMoved(this);
}
