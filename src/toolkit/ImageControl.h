// An image control: a picture drawn from the top-left corner, optionally scaled down or with
// its bottom-left colour left undrawn; the whole rectangle takes the pointer and clicks.
#pragma once

#include <QImage>
#include <QWidget>

class ImageControl : public QWidget {
    Q_OBJECT
public:
    // Creates the control at its place in the parent, named for tests and shared handlers.
    ImageControl(QWidget* parent, const QString& name, QRect rect);

    void setProportional(bool on);
    void setTransparent(bool on);
    bool isProportional() const { return proportional_; }
    bool isTransparent() const { return transparent_; }

    // Loads a picture named by a catalogue path; on failure the control keeps its picture.
    void loadFromFile(const QString& relativePath);
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    // The rectangle where the picture is drawn, in the control's coordinates.
    QRect drawnRect() const;

signals:
    void mouseMoved(ImageControl* sender);
    void clicked(ImageControl* sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void rebuild();
    QImage render() const;

    QImage picture_;
    // The picture as drawn, scaled and masked; it shares the loaded picture's pixels when it
    // needs neither, so showing a large card copies nothing.
    QImage rendered_;
    bool proportional_ = false;
    bool transparent_ = false;
    bool pressed_ = false;
};
