// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture button of a radio pair: a bevelled face with a centred glyph whose ground is not drawn.
#pragma once

#include <QAbstractButton>
#include <QImage>

class QPainter;

class SpeedButton : public QAbstractButton {
    Q_OBJECT
public:
    // Creates a checkable button at its place in the parent, named for tests; Tab reaches it.
    SpeedButton(QWidget* parent, const QString& name, QRect rect);

    // Every pixel of the glyph's bottom-left colour is left undrawn, so the face shows through.
    void setGlyph(const QImage& glyph);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The glyph as drawn at the window's device pixel ratio: itself at 1, smoothly resampled above.
    QImage render() const;
    void paintGlyph(QPainter& painter, bool sunken);

    QImage glyph_;    // without its ground, at its own size
    QImage rendered_; // what paintEvent draws
};
