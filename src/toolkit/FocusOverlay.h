// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The focus frame drawn above all of a window's controls, for a control that cannot show it
// whole itself: a button partly under its neighbour or past its panel's edge, a tab too small
// to hold it.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class FocusOverlay : public QWidget {
    Q_OBJECT
public:
    // Where the frame goes around the control, in the control's coordinates.
    using Area = std::function<QRect(const QWidget* control)>;

    // Draws the frame over `area` of the control while it has the keyboard focus; the control
    // draws none of its own.
    static void follow(QWidget* control, Area area);
    // Places the frame again after the control's area changed (another tab became current).
    static void refresh(QWidget* control);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    explicit FocusOverlay(QWidget* window);
    static FocusOverlay* of(QWidget* window);
    void place();

    struct Followed {
        QPointer<QWidget> control;
        Area area;
    };
    std::vector<Followed> followed_;
};
