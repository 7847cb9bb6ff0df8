// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Image controls: what they draw, what they keep when a load fails, and which clicks count.
#include "base/Errors.h"
#include "support/BmpWriter.h"
#include "support/TestAssets.h"
#include "toolkit/ImageControl.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

const QColor beneath(10, 200, 30);
const QRgb peach = qRgb(255, 228, 203);
const QRgb nearPeach = qRgb(255, 228, 202);
const QRgb ink = qRgb(0, 0, 255);

QImage filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

struct Scene {
    QWidget parent;
    ImageControl* image;

    explicit Scene(QRect rect) {
        parent.resize(900, 700);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, beneath);
        parent.setPalette(pal);
        parent.setAutoFillBackground(true);
        image = new ImageControl(&parent, QStringLiteral("img"), rect);
    }
    QImage shot() { return parent.grab().toImage().convertToFormat(QImage::Format_RGB32); }
    // What the window shows, where a control that covers itself hides what lies beneath it.
    QImage shown() {
        parent.show();
        (void)QTest::qWaitForWindowExposed(&parent); // if not, nothing is as expected
        parent.repaint();
        return parent.screen()->grabWindow(parent.winId()).toImage();
    }
};

} // namespace

class TestImageControl : public QObject {
    Q_OBJECT
private slots:
    void failedLoadKeepsThePicture_data();
    void failedLoadKeepsThePicture();
    void zeroByteFileShowsNothing();
    void transparentLeavesOnlyTheBottomLeftColourUndrawn();
    void proportionalScalesDownFromTheTopLeft();
    void largePictureIsClippedWhenNotProportional();
    void clickNeedsPressAndReleaseOverTheControl();
};

void TestImageControl::failedLoadKeepsThePicture_data() {
    QTest::addColumn<QByteArray>("content"); // empty: the file is missing
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << QByteArray() << "img_familles\\v2.bmp";
    QTest::newRow("garbage") << QByteArray(500, 'g') << "img_familles\\v2.bmp";
    QTest::newRow("truncated") << bmpwriter::encode(filled(100, 138, ink), 24).left(2000)
                               << "img_familles\\v2.bmp";
    QTest::newRow("unknown extension") << QByteArray() << "img_familles\\v2.gif";
}

void TestImageControl::failedLoadKeepsThePicture() {
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    TestAssets assets;
    assets.replace("img_familles\\good.bmp", bmpwriter::encode(filled(10, 10, ink), 24));
    assets.remove("img_familles\\v2.bmp");
    if (!content.isEmpty())
        assets.replace(name, content);

    Scene scene(QRect(0, 0, 100, 138));
    scene.image->loadFromFile("img_familles\\good.bmp");
    QVERIFY_THROWS_EXCEPTION(Exception, scene.image->loadFromFile(name));
    QCOMPARE(scene.image->picture(), filled(10, 10, ink));
}

// The good picture covers the whole control; the empty one leaves what is beneath it to be seen.
void TestImageControl::zeroByteFileShowsNothing() {
    TestAssets assets;
    assets.replace("img_familles\\good.bmp", bmpwriter::encode(filled(100, 138, ink), 24));
    assets.replace("img_familles\\empty.bmp", QByteArray());
    Scene scene(QRect(0, 0, 100, 138));
    scene.image->loadFromFile("img_familles\\good.bmp");
    QCOMPARE(scene.shown().pixelColor(99, 137), QColor(ink));
    scene.image->loadFromFile("img_familles\\empty.bmp");
    QVERIFY(scene.image->picture().isNull());
    QCOMPARE(scene.shown().pixelColor(5, 5), beneath);
}

void TestImageControl::transparentLeavesOnlyTheBottomLeftColourUndrawn() {
    QImage picture = filled(20, 10, peach);
    for (int x = 0; x < 5; ++x)
        picture.setPixel(x, 2, ink);
    picture.setPixel(10, 5, nearPeach); // a blended edge pixel is drawn
    Scene scene(QRect(50, 50, 20, 10));
    scene.image->setTransparent(true);
    scene.image->setPicture(picture);
    const QImage shot = scene.shot();
    QCOMPARE(shot.pixel(50 + 2, 50 + 2), ink);
    QCOMPARE(shot.pixelColor(50 + 15, 50 + 8), beneath);
    QCOMPARE(shot.pixel(50 + 10, 50 + 5), nearPeach);

    scene.image->setTransparent(false);
    QCOMPARE(scene.shot().pixel(50 + 15, 50 + 8), peach);
}

void TestImageControl::proportionalScalesDownFromTheTopLeft() {
    QImage picture = filled(1000, 500, ink);
    picture.setPixel(999, 499, peach);
    Scene scene(QRect(0, 0, 800, 527));
    scene.image->setProportional(true);
    scene.image->setPicture(picture);
    QCOMPARE(scene.image->drawnRect(), QRect(0, 0, 800, 400));
    const QImage shot = scene.shot();
    QCOMPARE(shot.pixel(0, 0), ink);
    QCOMPARE(shot.pixel(798, 398), ink);
    QCOMPARE(shot.pixel(799, 399), peach); // whole pixels: the corner pixel survives
    QCOMPARE(shot.pixelColor(10, 400), beneath);
}

void TestImageControl::largePictureIsClippedWhenNotProportional() {
    QImage picture = filled(300, 300, ink);
    Scene scene(QRect(10, 10, 100, 100));
    scene.image->setPicture(picture);
    const QImage shot = scene.shot();
    QCOMPARE(shot.pixel(109, 109), ink);
    QCOMPARE(shot.pixelColor(111, 50), beneath);
}

void TestImageControl::clickNeedsPressAndReleaseOverTheControl() {
    Scene scene(QRect(100, 100, 50, 50));
    scene.parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&scene.parent));
    QSignalSpy clicks(scene.image, &ImageControl::clicked);
    QWindow* window = scene.parent.windowHandle();

    QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(120, 120));
    QCOMPARE(clicks.count(), 1);
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(120, 120));
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(300, 300));
    QCOMPARE(clicks.count(), 1);
    QTest::mouseClick(window, Qt::RightButton, {}, QPoint(120, 120));
    QCOMPARE(clicks.count(), 1);
}

QTEST_MAIN(TestImageControl)
#include "tst_imagecontrol.moc"
