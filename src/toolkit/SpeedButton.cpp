// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// SpeedButton: a sunken bevel while pressed, the glyph nudged by a pixel, its ground left out.
#include "toolkit/SpeedButton.h"

#include "toolkit/DeviceImage.h"
#include "toolkit/FocusFrame.h"
#include "toolkit/Transparency.h"

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
    if (hasFocus())
        focusframe::paint(painter, rect());
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
