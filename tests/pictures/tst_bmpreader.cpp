// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmap reader: every depth and encoding, and every way a file can be wrong.
#include "base/Errors.h"
#include "pictures/BmpReader.h"
#include "pictures/PictureLoader.h"
#include "support/BmpWriter.h"
#include "support/TestAssets.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <sys/stat.h>

using bmpwriter::Encoding;

namespace {

const QVector<QRgb> twoColours = {qRgb(0, 0, 0), qRgb(255, 228, 203)};
const QVector<QRgb> sixteen = {
    qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
    qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
    qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
    qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
// Colours whose channels survive five and six bits.
const QVector<QRgb> pure = {qRgb(0, 0, 0),   qRgb(255, 0, 0),     qRgb(0, 255, 0),
                            qRgb(0, 0, 255), qRgb(255, 255, 255), qRgb(255, 255, 0)};

QVector<QRgb> manyColours() {
    QVector<QRgb> colours;
    for (int i = 0; i < 200; ++i)
        colours << qRgb((i * 37) % 256, (i * 91) % 256, (i * 13 + 7) % 256);
    return colours;
}

QByteArray valid24(int w = 5, int h = 3) {
    return bmpwriter::encode(bmpwriter::pattern(w, h, sixteen), 24);
}

} // namespace

class TestBmpReader : public QObject {
    Q_OBJECT
private slots:
    void decodesEveryDepth_data();
    void decodesEveryDepth();
    void agreesWithQtOn24Bits();
    void zeroBytesIsAnEmptyPicture();
    void refusesBrokenFiles_data();
    void refusesBrokenFiles();
    void fileErrors_data();
    void fileErrors();
    void readsTheFileAgain();
};

void TestBmpReader::decodesEveryDepth_data() {
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QByteArray>("bytes");
    auto add = [](const char* name, int w, int h, const QVector<QRgb>& colours, int bits,
                  Encoding enc = Encoding::Rgb, bool topDown = false) {
        const QImage image = bmpwriter::pattern(w, h, colours);
        QTest::newRow(name) << image
                            << bmpwriter::encode(image, bits, bits <= 8 ? colours : QVector<QRgb>{},
                                                 enc, topDown);
    };
    add("1 bit, odd width", 13, 7, twoColours, 1);
    add("4 bits", 9, 5, sixteen, 4);
    add("8 bits", 31, 17, manyColours(), 8);
    add("16 bits 555", 7, 4, pure, 16);
    add("16 bits 565 bit fields", 7, 4, pure, 16, Encoding::Bitfields565);
    add("24 bits, row padding", 5, 3, sixteen, 24);
    add("32 bits, alpha ignored", 6, 4, sixteen, 32);
    add("top-down rows", 8, 6, sixteen, 24, Encoding::Rgb, true);
    add("8 bits top-down", 8, 6, sixteen, 8, Encoding::Rgb, true);
    add("run-length 8 bits", 40, 9, sixteen, 8, Encoding::Rle);
    add("run-length 4 bits", 33, 9, sixteen, 4, Encoding::Rle);
    add("old core header", 10, 4, sixteen, 8, Encoding::CoreHeader);
    add("old core header 24 bits", 10, 4, sixteen, 24, Encoding::CoreHeader);
}

void TestBmpReader::decodesEveryDepth() {
    QFETCH(QImage, image);
    QFETCH(QByteArray, bytes);
    const QImage decoded = BmpReader::decode(bytes);
    QCOMPARE(decoded.size(), image.size());
    QCOMPARE(decoded.convertToFormat(QImage::Format_RGB32), image);
}

void TestBmpReader::agreesWithQtOn24Bits() {
    const QByteArray bytes = bmpwriter::encode(bmpwriter::pattern(424, 57, manyColours()), 24);
    QCOMPARE(BmpReader::decode(bytes),
             QImage::fromData(bytes, "BMP").convertToFormat(QImage::Format_RGB32));
}

void TestBmpReader::zeroBytesIsAnEmptyPicture() {
    QVERIFY(BmpReader::decode(QByteArray()).isNull());
}

void TestBmpReader::refusesBrokenFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    const QString invalid = QStringLiteral("Image bitmap incorrecte");
    const QString shortRead = QStringLiteral("Erreur de lecture du flux");
    using bmpwriter::put16;
    using bmpwriter::put32;

    QTest::newRow("shorter than the file header") << valid24().left(13) << shortRead;
    QTest::newRow("wrong signature") << QByteArray("PK").append(valid24().mid(2)) << invalid;
    QTest::newRow("two-byte file") << QByteArray("MZ") << shortRead;
    QTest::newRow("ends inside the info header") << valid24().left(30) << shortRead;

    QByteArray b = valid24();
    put16(b, 26, 2);
    QTest::newRow("two planes") << b << invalid;
    b = valid24(), put32(b, 18, quint32(-5));
    QTest::newRow("negative width") << b << invalid;
    b = valid24(), put32(b, 18, 0);
    QTest::newRow("zero width") << b << invalid;
    b = valid24(), put32(b, 22, 0);
    QTest::newRow("zero height") << b << invalid;
    b = valid24(), put32(b, 18, 100000);
    QTest::newRow("absurd width") << b << invalid;
    b = valid24(), put32(b, 18, 8000), put32(b, 22, 8000);
    QTest::newRow("large size, data missing") << b << shortRead;
    b = valid24(), put32(b, 18, 16384), put32(b, 22, 16384);
    QTest::newRow("more pixels than any picture needs") << b << invalid;
    b = valid24(), put32(b, 18, 0x7FFFFFFF), put32(b, 22, 0x80000000u);
    QTest::newRow("extreme header fields") << b << invalid;
    b = valid24(), put16(b, 28, 7);
    QTest::newRow("seven bits per pixel") << b << invalid;
    b = valid24(), put32(b, 30, 4);
    QTest::newRow("embedded JPEG") << b << invalid;
    b = valid24(), put32(b, 14, 20);
    QTest::newRow("unknown header size") << b << invalid;
    QTest::newRow("pixel data cut short") << valid24(50, 50).chopped(10) << shortRead;

    const QByteArray eight = bmpwriter::encode(bmpwriter::pattern(4, 4, sixteen), 8, sixteen);
    QTest::newRow("ends inside the colour table") << eight.left(14 + 40 + 30) << shortRead;
    b = eight, put32(b, 46, 300);
    QTest::newRow("colour table of 300 entries") << b << invalid;

    b = bmpwriter::encode(bmpwriter::pattern(8, 8, sixteen), 8, sixteen, Encoding::Rle);
    put32(b, 18, 16000), put32(b, 22, 16000);
    QTest::newRow("tiny run-length file, huge picture") << b << invalid;
    b = bmpwriter::encode(bmpwriter::pattern(8, 8, sixteen), 8, sixteen, Encoding::Rle);
    put32(b, 22, quint32(-8));
    QTest::newRow("top-down run-length") << b << invalid;
}

void TestBmpReader::refusesBrokenFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    try {
        BmpReader::decode(bytes);
        QFAIL("the broken file was accepted");
    } catch (const EReadError& e) {
        QCOMPARE(e.message(), message);
    } catch (const EInvalidGraphic& e) {
        QCOMPARE(e.message(), message);
    }
}

void TestBmpReader::fileErrors_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content"); // empty: no file; "dir": a folder; or a special file
    QTest::addColumn<QString>("message");    // %1 stands for the current directory
    QTest::newRow("missing file")
        << "img_familles\\absent.bmp" << QByteArray()
        << "Impossible d'ouvrir le fichier \"%1/img_familles/absent.bmp\". "
           "No such file or directory";
    QTest::newRow("missing folder") << "nulle_part\\1.bmp" << QByteArray()
                                    << "Impossible d'ouvrir le fichier \"%1/nulle_part/1.bmp\". "
                                       "No such file or directory";
    QTest::newRow("a folder") << "img_familles\\dossier.bmp" << QByteArray("dir")
                              << "Impossible d'ouvrir le fichier \"%1/img_familles/dossier.bmp\". "
                                 "Is a directory";
    for (const char* special : {"fifo", "socket"}) // neither may block the program
        QTest::newRow(special) << "img_familles\\v10.bmp" << QByteArray(special)
                               << "Impossible d'ouvrir le fichier \"%1/img_familles/v10.bmp\". "
                                  "No such device or address";
    QTest::newRow("unknown extension")
        << "img_familles\\photo.png" << valid24() << "Extension de fichier image inconnue (.png)";
    QTest::newRow("extension checked first") << "img_familles\\absent.jpeg" << QByteArray()
                                             << "Extension de fichier image inconnue (.jpeg)";
    QTest::newRow("upper-case extension is a bitmap")
        << "img_familles\\x.BMP" << QByteArray(20, 'X') << "Image bitmap incorrecte";
}

void TestBmpReader::fileErrors() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    TestAssets assets;
    const QString native = QString(name).replace('\\', '/');
    if (content == "dir")
        QDir(assets.path()).mkpath(native);
    else if (content == "fifo" || content == "socket") {
        assets.remove(name);
        const mode_t type = content == "fifo" ? S_IFIFO : S_IFSOCK;
        QCOMPARE(::mknod(QFile::encodeName(native).constData(), type | 0600, 0), 0);
    } else if (!content.isEmpty())
        assets.replace(name, content);
    try {
        pictures::loadPicture(name);
        QFAIL("no error");
    } catch (const Exception& e) {
        QCOMPARE(e.message(), message.contains("%1") ? message.arg(QDir::currentPath()) : message);
    }
}

// A picture shown before is shown as its file now stands: one byte changed, then gone.
void TestBmpReader::readsTheFileAgain() {
    TestAssets assets;
    const QString name = QStringLiteral("img_familles\\56.bmp");
    QByteArray bytes = valid24(40, 40);
    assets.replace(name, bytes);
    QCOMPARE(pictures::loadPicture(name), BmpReader::decode(bytes));
    bytes[bytes.size() / 2 + 5] = char(bytes[bytes.size() / 2 + 5] ^ 0x40);
    assets.replace(name, bytes);
    QCOMPARE(pictures::loadPicture(name), BmpReader::decode(bytes));
    assets.remove(name);
    QVERIFY_THROWS_EXCEPTION(EFOpenError, pictures::loadPicture(name));
}

QTEST_GUILESS_MAIN(TestBmpReader)
#include "tst_bmpreader.moc"
