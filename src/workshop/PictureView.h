// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A picture shown whole in whatever room the window gives it: scaled down to fit, never up.
#pragma once

#include <QPixmap>
#include <QWidget>

class PictureView : public QWidget {
    Q_OBJECT
public:
    // The game's large card and album page fit here at full size.
    static constexpr QSize preferredSize{600, 420};

    explicit PictureView(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    QPixmap scaled_; // picture_ at the size last painted
};
