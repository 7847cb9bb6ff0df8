// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The centring and proportional-size rules.
#include "toolkit/Geometry.h"

#include <QtTest>

class TestGeometry : public QObject {
    Q_OBJECT
private slots:
    void centring_data();
    void centring();
    void proportional_data();
    void proportional();
};

void TestGeometry::centring_data() {
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPoint>("position");
    QTest::newRow("menu-sized window") << QSize(1024, 768) << QSize(407, 579) << QPoint(308, 94);
    QTest::newRow("7 pixels taller than the display")
        << QSize(1024, 768) << QSize(407, 775) << QPoint(308, -3);
    QTest::newRow("1 pixel wider than the display")
        << QSize(1024, 768) << QSize(1025, 579) << QPoint(0, 94);
    QTest::newRow("odd excess rounds toward zero")
        << QSize(1024, 768) << QSize(1027, 771) << QPoint(-1, -1);
    QTest::newRow("exact fit") << QSize(800, 600) << QSize(800, 600) << QPoint(0, 0);
}

void TestGeometry::centring() {
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(QPoint, position);
    QCOMPARE(geometry::centredPosition(screen, window), position);
}

void TestGeometry::proportional_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("control");
    QTest::addColumn<bool>("proportional");
    QTest::addColumn<QSize>("drawn");
    QTest::newRow("landscape into the menu")
        << QSize(450, 619) << QSize(401, 550) << true << QSize(399, 550);
    QTest::newRow("wide page into the album")
        << QSize(1000, 500) << QSize(800, 527) << true << QSize(800, 400);
    QTest::newRow("smaller is never enlarged")
        << QSize(300, 200) << QSize(800, 527) << true << QSize(300, 200);
    QTest::newRow("exact size unchanged")
        << QSize(424, 576) << QSize(424, 576) << true << QSize(424, 576);
    QTest::newRow("not proportional is clipped, not scaled")
        << QSize(1000, 500) << QSize(800, 527) << false << QSize(1000, 500);
    QTest::newRow("wide but height decides")
        << QSize(900, 800) << QSize(800, 527) << true << QSize(592, 527);
    QTest::newRow("tall but width decides")
        << QSize(500, 600) << QSize(300, 600) << true << QSize(300, 360);
    QTest::newRow("square, height first")
        << QSize(1000, 1000) << QSize(424, 576) << true << QSize(424, 424);
}

void TestGeometry::proportional() {
    QFETCH(QSize, picture);
    QFETCH(QSize, control);
    QFETCH(bool, proportional);
    QFETCH(QSize, drawn);
    QCOMPARE(geometry::drawnSize(picture, control, proportional), drawn);
}

QTEST_APPLESS_MAIN(TestGeometry)
#include "tst_geometry.moc"
