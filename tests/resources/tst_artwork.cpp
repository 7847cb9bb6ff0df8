// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The embedded pictures: present in the program, of the right size, ground and layout.
#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>
#include <QSet>
#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const QRgb peach = qRgb(255, 228, 203);
const QRgb black = qRgb(0, 0, 0);
const QRgb white = qRgb(255, 255, 255);
const QRgb blue = qRgb(0, 0, 255);
const QRgb red = qRgb(255, 0, 0);

QImage embedded(const QString& name) {
    return QImage(QStringLiteral(":/art/") + name);
}

QRgb groundOf(const QImage& image) {
    return image.pixel(0, image.height() - 1);
}

// The smallest rectangle holding every pixel of the area that differs from the ground.
QRect inkBounds(const QImage& image, const QRect& area) {
    const QRgb ground = groundOf(image);
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) != ground) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

int count(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& wanted) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            n += wanted(image.pixel(x, y)) ? 1 : 0;
        }
    }
    return n;
}

// How far a colour lies from the straight blend between ground and ink, in RGB units.
double offBlend(QRgb colour, QRgb ground, QRgb ink) {
    const double g[3] = {double(qRed(ground)), double(qGreen(ground)), double(qBlue(ground))};
    const double d[3] = {qRed(ink) - g[0], qGreen(ink) - g[1], qBlue(ink) - g[2]};
    const double c[3] = {qRed(colour) - g[0], qGreen(colour) - g[1], qBlue(colour) - g[2]};
    const double t = std::clamp((c[0] * d[0] + c[1] * d[1] + c[2] * d[2]) /
                                    (d[0] * d[0] + d[1] * d[1] + d[2] * d[2]),
                                0.0, 1.0);
    double squared = 0;
    for (int i = 0; i < 3; ++i) {
        squared += (c[i] - t * d[i]) * (c[i] - t * d[i]);
    }
    return std::sqrt(squared);
}

// Hue families of the felt pens, loose enough for blends with the paper and crossings.
enum class Felt { Yellow, Red, Green, Brown, White, Dark };

bool isFelt(QRgb rgb, Felt felt) {
    const QColor c = QColor::fromRgb(rgb);
    const int h = c.hsvHue();
    const double s = c.hsvSaturationF();
    const double v = c.valueF();
    switch (felt) {
    case Felt::Yellow:
        return h >= 42 && h <= 62 && s > 0.6 && v > 0.8;
    case Felt::Red:
        return (h <= 10 || h >= 350) && s > 0.6 && v > 0.5;
    case Felt::Green:
        return h >= 90 && h <= 150 && s > 0.4 && v > 0.3;
    case Felt::Brown:
        return h >= 15 && h <= 35 && s > 0.4 && v > 0.3 && v < 0.65;
    case Felt::White:
        return rgb == white;
    case Felt::Dark:
        return v < 0.35;
    }
    return false;
}

// Ground pixels that cannot be reached from the picture's border without crossing the drawing:
// under a transparent control they would show as holes in the middle of the glyph. Steps may be
// diagonal, as the eye sees a gap that only corners close as open.
int enclosedGroundPixels(const QImage& image) {
    const QRgb ground = groundOf(image);
    const int w = image.width();
    const int h = image.height();
    QList<bool> reached(w * h, false);
    QList<QPoint> todo;
    for (int x = 0; x < w; ++x) {
        todo << QPoint(x, 0) << QPoint(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        todo << QPoint(0, y) << QPoint(w - 1, y);
    }
    while (!todo.isEmpty()) {
        const QPoint p = todo.takeLast();
        if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h || reached[p.y() * w + p.x()] ||
            image.pixel(p) != ground) {
            continue;
        }
        reached[p.y() * w + p.x()] = true;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                todo << p + QPoint(dx, dy);
            }
        }
    }
    int enclosed = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            enclosed += image.pixel(x, y) == ground && !reached[y * w + x] ? 1 : 0;
        }
    }
    return enclosed;
}

} // namespace

class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void picturesHaveSizeGroundAndBox_data();
    void picturesHaveSizeGroundAndBox();
    void wordsAreInkedInTheirColourAndFillTheirBox_data();
    void wordsAreInkedInTheirColourAndFillTheirBox();
    void glyphsHaveNoSeeThroughHoles_data();
    void glyphsHaveNoSeeThroughHoles();
    void programIconIsA16ColourBitmap();
    void landscapeHasItsColoursWhereDescribed_data();
    void landscapeHasItsColoursWhereDescribed();
};

void TestArtwork::picturesHaveSizeGroundAndBox_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRgb>("ground");
    QTest::addColumn<QRect>("box"); // holds every pixel not of the ground colour

    QTest::newRow("landscape") << "fond.bmp" << QSize(450, 619) << white << QRect(0, 0, 450, 619);
    QTest::newRow("name") << "imgAlbum.bmp" << QSize(219, 75) << peach << QRect(53, 23, 94, 28);
    QTest::newRow("families") << "familles.bmp" << QSize(219, 75) << peach
                              << QRect(15, 18, 189, 37);
    QTest::newRow("review") << "btnRevisions.bmp" << QSize(219, 75) << peach
                            << QRect(40, 17, 124, 34);
    QTest::newRow("quit") << "quitter.bmp" << QSize(219, 75) << peach << QRect(62, 22, 85, 27);
    QTest::newRow("help icon") << "infos.bmp" << QSize(32, 32) << black << QRect(0, 0, 30, 30);
    QTest::newRow("logo") << "logo.bmp" << QSize(69, 29) << peach << QRect(0, 0, 69, 29);
    QTest::newRow("other choice") << "autreChoix.bmp" << QSize(100, 138) << peach
                                  << QRect(5, 23, 91, 68);
    // The glyphs keep a clear edge: the album's buttons lose their bottom row to the panel.
    QTest::newRow("sound on") << "sonOui.bmp" << QSize(48, 48) << black << QRect(1, 1, 46, 46);
    QTest::newRow("sound off") << "sonNon.bmp" << QSize(48, 48) << black << QRect(1, 1, 46, 46);
    QTest::newRow("replay") << "rejouer.bmp" << QSize(48, 48) << black << QRect(1, 1, 46, 46);
}

void TestArtwork::picturesHaveSizeGroundAndBox() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QRgb, ground);
    QFETCH(QRect, box);
    const QImage image = embedded(name);
    QVERIFY2(!image.isNull(), qPrintable(name + " is not embedded"));
    QCOMPARE(image.size(), size);
    QFile file(QStringLiteral(":/art/") + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    constexpr int bitCountOffset = 28;
    QCOMPARE(qFromLittleEndian<quint16>(file.readAll().constData() + bitCountOffset), quint16(24));
    QCOMPARE(QColor(groundOf(image)), QColor(ground));
    const QRect ink = inkBounds(image, image.rect());
    QVERIFY2(box.contains(ink), qPrintable(QStringLiteral("ink spreads over %1,%2 to %3,%4")
                                               .arg(ink.left())
                                               .arg(ink.top())
                                               .arg(ink.right())
                                               .arg(ink.bottom())));
}

void TestArtwork::wordsAreInkedInTheirColourAndFillTheirBox_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRgb>("ink");
    QTest::addColumn<QRect>("box");
    QTest::newRow("name") << "imgAlbum.bmp" << blue << QRect(53, 23, 94, 28);
    QTest::newRow("families") << "familles.bmp" << blue << QRect(15, 18, 189, 37);
    QTest::newRow("review") << "btnRevisions.bmp" << blue << QRect(40, 17, 124, 34);
    QTest::newRow("quit") << "quitter.bmp" << red << QRect(62, 22, 85, 27);
    QTest::newRow("auta") << "autreChoix.bmp" << blue << QRect(23, 23, 54, 23);
    QTest::newRow("causida") << "autreChoix.bmp" << blue << QRect(5, 65, 91, 26);
}

void TestArtwork::wordsAreInkedInTheirColourAndFillTheirBox() {
    QFETCH(QString, name);
    QFETCH(QRgb, ink);
    QFETCH(QRect, box);
    const QImage image = embedded(name);
    QVERIFY(!image.isNull());
    const QRgb ground = groundOf(image);

    const int area = box.width() * box.height();
    const int inked = count(image, box, [&](QRgb c) { return c != ground; });
    const int solid = count(image, box, [&](QRgb c) { return c == ink; });
    QVERIFY2(inked > area / 8 && inked < area * 3 / 4, qPrintable(QString::number(inked)));
    QVERIFY2(solid > inked / 5, qPrintable(QString::number(solid)));

    // Only the ink and its smoothed edges: no pixel of another colour.
    const int foreign = count(image, box, [&](QRgb c) { return offBlend(c, ground, ink) > 12; });
    QCOMPARE(foreign, 0);

    // The lettering is sized to its box, reaching each of its four sides.
    const QRect reach = inkBounds(image, box);
    QVERIFY2(reach.left() - box.left() <= 1 && box.right() - reach.right() <= 1 &&
                 reach.top() - box.top() <= 1 && box.bottom() - reach.bottom() <= 1,
             qPrintable(QStringLiteral("lettering covers only %1,%2 to %3,%4")
                            .arg(reach.left())
                            .arg(reach.top())
                            .arg(reach.right())
                            .arg(reach.bottom())));
}

void TestArtwork::glyphsHaveNoSeeThroughHoles_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("help icon") << "infos.bmp";
    QTest::newRow("sound on") << "sonOui.bmp";
    QTest::newRow("sound off") << "sonNon.bmp";
    QTest::newRow("replay") << "rejouer.bmp";
}

void TestArtwork::glyphsHaveNoSeeThroughHoles() {
    QFETCH(QString, name);
    const QImage image = embedded(name);
    QVERIFY(!image.isNull());
    QCOMPARE(enclosedGroundPixels(image), 0);
}

void TestArtwork::programIconIsA16ColourBitmap() {
    QFile file(QStringLiteral(":/art/mainicon.bmp"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    constexpr int headers = 14 + 40;
    constexpr int palette = 16 * 4;
    constexpr int rows = 32 * 16; // 32 rows of 32 nibbles, already a multiple of four bytes
    QCOMPARE(bytes.size(), headers + palette + rows);
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(u32(2), quint32(bytes.size()));
    QCOMPARE(u32(10), quint32(headers + palette));
    QCOMPARE(u32(14), 40u);
    QCOMPARE(u32(18), 32u);
    QCOMPARE(u32(22), 32u); // positive height: stored bottom-up
    QCOMPARE(u16(26), quint16(1));
    QCOMPARE(u16(28), quint16(4));
    QCOMPARE(u32(30), 0u);
    QVERIFY(u32(46) <= 16);

    const QImage icon = QImage::fromData(bytes, "BMP");
    QCOMPARE(icon.size(), QSize(32, 32));
    QSet<QRgb> colours;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            colours.insert(icon.pixel(x, y));
        }
    }
    QVERIFY(colours.size() <= 16);
    // A red field at the corners, the green letter in the middle, the cross's yellow about it.
    for (const QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)}) {
        QVERIFY(isFelt(icon.pixel(corner), Felt::Red));
    }
    const auto brightGreen = [](QRgb c) { return qGreen(c) > 200 && qRed(c) < 100; };
    QVERIFY(count(icon, QRect(8, 8, 16, 16), brightGreen) > 64);
    QVERIFY(count(icon, icon.rect(), [](QRgb c) { return isFelt(c, Felt::Yellow); }) > 40);
}

void TestArtwork::landscapeHasItsColoursWhereDescribed_data() {
    QTest::addColumn<int>("felt");
    QTest::addColumn<QRectF>("where"); // fractions of the picture's width and height
    QTest::addColumn<int>("atLeast");  // pixels of that felt in that area
    QTest::addColumn<double>("share"); // least share of all that felt's pixels found there

    const auto felt = [](Felt f) { return static_cast<int>(f); };
    QTest::newRow("white paper") << felt(Felt::White) << QRectF(0, 0, 1, 1) << 100000 << 1.0;
    QTest::newRow("sun at the top right")
        << felt(Felt::Yellow) << QRectF(0.5, 0, 0.5, 0.5) << 1500 << 0.95;
    QTest::newRow("red roof in the middle")
        << felt(Felt::Red) << QRectF(0.2, 0.3, 0.6, 0.25) << 5000 << 0.9;
    QTest::newRow("grass and bushes in the lower half")
        << felt(Felt::Green) << QRectF(0, 0.5, 1, 0.5) << 8000 << 0.9;
    QTest::newRow("fence at the right")
        << felt(Felt::Brown) << QRectF(0.75, 0.6, 0.25, 0.2) << 1500 << 0.0;
    QTest::newRow("mountains above the grass")
        << felt(Felt::Brown) << QRectF(0, 0.25, 1, 0.25) << 2000 << 0.0;
    QTest::newRow("bird at the top left")
        << felt(Felt::Dark) << QRectF(0, 0, 0.3, 0.3) << 100 << 0.0;
}

void TestArtwork::landscapeHasItsColoursWhereDescribed() {
    QFETCH(int, felt);
    QFETCH(QRectF, where);
    QFETCH(int, atLeast);
    QFETCH(double, share);
    const QImage image = embedded(QStringLiteral("fond.bmp"));
    QVERIFY(!image.isNull());
    const QRect area = QRectF(where.left() * image.width(), where.top() * image.height(),
                              where.width() * image.width(), where.height() * image.height())
                           .toRect() &
                       image.rect();
    const auto wanted = [felt](QRgb c) { return isFelt(c, static_cast<Felt>(felt)); };
    const int there = count(image, area, wanted);
    const int everywhere = count(image, image.rect(), wanted);
    QVERIFY2(there >= atLeast, qPrintable(QString::number(there)));
    QVERIFY2(there >= share * everywhere,
             qPrintable(QStringLiteral("%1 of %2").arg(there).arg(everywhere)));
}

QTEST_MAIN(TestArtwork)
#include "tst_artwork.moc"
