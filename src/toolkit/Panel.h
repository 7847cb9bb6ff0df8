// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A panel: a coloured frame with a raised one-pixel bevel that reports pointer movement over
// its bare background.
#pragma once

#include <QFrame>

class Panel : public QFrame {
    Q_OBJECT
public:
    Panel(QWidget* parent, const QString& name, QRect rect, const QColor& colour);

signals:
    void mouseMoved(Panel* sender);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};
