// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// An image control: a picture drawn from the top-left corner, optionally scaled down or with
// its bottom-left colour left undrawn; the whole rectangle takes the pointer and clicks. A
// reachable one also takes the keyboard focus and touches.
#pragma once

#include <QImage>
#include <QWidget>
#include <chrono>

class QTouchEvent;

class ImageControl : public QWidget {
    Q_OBJECT
public:
    // Creates the control at its place in the parent, named for tests and shared handlers.
    ImageControl(QWidget* parent, const QString& name, QRect rect);

    void setProportional(bool on);
    void setTransparent(bool on);
    // Tab and the arrow keys reach the picture, Enter and Space click it, and a tap arrives on
    // it and clicks it; a mouse click never gives it the focus.
    void setReachable(bool on);
    // Enter and Space click nothing for this long from now: a key still bouncing or held from
    // what came before is no new choice. A held key's repeats never click; the pointer is never
    // held.
    void holdKeys(std::chrono::milliseconds hold);
    bool keysHeld() const { return std::chrono::steady_clock::now() < keysFrom_; }
    // Does what a click does: a switch device or voice control pressing the picture.
    void click() { emit clicked(this); }

    // Loads a picture named by a catalogue path; on failure the control keeps its picture.
    void loadFromFile(const QString& relativePath);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    // The rectangle where the picture is drawn, in the control's coordinates.
    QRect drawnRect() const;

signals:
    void mouseMoved(ImageControl* sender);
    void clicked(ImageControl* sender);
    // The child came onto the picture by the keyboard or a touch, not by the pointer.
    void arrived(ImageControl* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void rebuild();
    void markOpaque();
    // Moves the focus to the next (or previous) reachable sibling, round the end.
    void focusSibling(bool next);
    bool touchEvent(QTouchEvent* event);
    QImage render() const;

    QImage picture_;
    // The picture as drawn, scaled and masked; it shares the loaded picture's pixels when it
    // needs neither, so showing a large card copies nothing.
    QImage rendered_;
    bool proportional_ = false;
    bool transparent_ = false;
    bool pressed_ = false;
    std::chrono::steady_clock::time_point keysFrom_;
};
