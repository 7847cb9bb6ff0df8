// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// SpeedButton: a sunken bevel while pressed, the glyph nudged by a pixel, its ground left out.
#include "toolkit/SpeedButton.h"

#include "toolkit/AccessibleRoles.h"
#include "toolkit/DeviceImage.h"
#include "toolkit/FocusOverlay.h"
#include "toolkit/Transparency.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>

namespace {

// How far the glyph moves down and right while the button is pressed, as the bevel sinks.
constexpr int pressedShift = 1;

} // namespace

SpeedButton::SpeedButton(QWidget* parent, const QString& name, QRect rect)
    : QAbstractButton(parent) {
    setObjectName(name);
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus); // reached by the keyboard; a click leaves the focus where it is
    setGeometry(rect);
    accessibleroles::install();
    // The pair overlaps and hangs past its panel: the frame is drawn over both, whole.
    FocusOverlay::follow(this, [](const QWidget* button) { return button->rect(); });
}

void SpeedButton::setGlyph(const QImage& glyph) {
    glyph_ = transparency::withoutGround(glyph);
    rendered_ = render();
    update();
}

QSize SpeedButton::sizeHint() const {
    return size();
}

QImage SpeedButton::render() const {
    return deviceimage::render(glyph_, glyph_.size(), devicePixelRatioF());
}

void SpeedButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool sunken = isDown() || isChecked();
    painter.fillRect(rect(), palette().button());
    if (isChecked() && !isDown()) // a button held down by its group shows a dithered face
        painter.fillRect(rect(), QBrush(palette().color(QPalette::Light), Qt::Dense4Pattern));
    qDrawWinButton(&painter, rect(), palette(), sunken, nullptr);

    if (!glyph_.isNull())
        paintGlyph(painter, sunken);
}

// The arrows move the frame to the other button of the pair and act on nothing: Enter and Space
// act, as on every other control.
void SpeedButton::keyPressEvent(QKeyEvent* event) {
    const bool forward = event->key() == Qt::Key_Right || event->key() == Qt::Key_Down;
    const bool backward = event->key() == Qt::Key_Left || event->key() == Qt::Key_Up;
    if (!(forward || backward) || !group()) {
        QAbstractButton::keyPressEvent(event);
        return;
    }
    const QList<QAbstractButton*> pair = group()->buttons();
    const qsizetype count = pair.size();
    const qsizetype here = pair.indexOf(this);
    pair.at((here + (forward ? 1 : count - 1)) % count)
        ->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    event->accept();
}

void SpeedButton::paintGlyph(QPainter& painter, bool sunken) {
    if (rendered_.devicePixelRatio() != devicePixelRatioF())
        rendered_ = render(); // the window moved to a screen of another scale
    QRect place(QPoint(), glyph_.size());
    place.moveCenter(rect().center());
    if (sunken)
        place.translate(pressedShift, pressedShift);
    painter.drawImage(place.topLeft(), rendered_);
}
