// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The asset check: its size rules, what it finds in broken folders, and the mirabosc-check program.
#include "assets/Catalogue.h"
#include "audio/MediaPlayerMP3.h"
#include "check/AssetCheck.h"
#include "pictures/PictureLoader.h"
#include "support/BmpWriter.h"
#include "support/TestAssets.h"

#include <QProcess>
#include <QtTest>

#ifndef MIRABOSC_CHECK_PROGRAM
#error "tools/check/CMakeLists.txt names the checker for this test"
#endif

using assetcheck::Kind;
using assetcheck::Severity;

Q_DECLARE_METATYPE(assetcheck::Kind)

namespace {

constexpr int processTimeoutMs = 120000;

// The readers of the checker program: the program's own loader and player.
struct RealReaders {
    MediaPlayerMP3 player;
    assetcheck::Readers readers{
        [](const QString& path) { return pictures::loadPicture(path).size(); },
        [this](const QString& path) {
            player.close();
            player.setFileName(path);
            player.open();
        }};
};

QByteArray bmpOfSize(int width, int height) {
    return bmpwriter::encode(bmpwriter::pattern(width, height, {0xFF2040A0, 0xFFFFFFFF}), 24);
}

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run runChecker(const QString& folder) {
    QProcess process;
    process.start(QStringLiteral(MIRABOSC_CHECK_PROGRAM), {folder});
    Run run;
    if (!process.waitForFinished(processTimeoutMs))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

class TestAssetCheck : public QObject {
    Q_OBJECT
private slots:
    void sizeRules_data();
    void sizeRules();
    void brokenFileIsFoundAlone_data();
    void brokenFileIsFoundAlone();
    void strayFileIsOnlyNoted();
    void programAcceptsTheDefaultSet();
    void programReportsRemovedTruncatedAndRenamedFiles();
    void programRefusesAMissingFolder();
};

void TestAssetCheck::sizeRules_data() {
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("severity"); // -1: nothing to say
    const int none = -1, note = int(Severity::Note), warning = int(Severity::Warning),
              problem = int(Severity::Problem);
    QTest::newRow("album page at its size") << Kind::AlbumPage << QSize(800, 527) << none;
    QTest::newRow("wider album page is scaled down")
        << Kind::AlbumPage << QSize(1000, 500) << warning;
    QTest::newRow("smaller album page") << Kind::AlbumPage << QSize(640, 400) << note;
    QTest::newRow("miniature at its size") << Kind::Miniature << QSize(158, 217) << none;
    QTest::newRow("miniature a pixel too wide is clipped")
        << Kind::Miniature << QSize(159, 217) << problem;
    QTest::newRow("miniature taller, narrower") << Kind::Miniature << QSize(150, 230) << problem;
    QTest::newRow("small card a pixel too tall") << Kind::SmallCard << QSize(100, 139) << problem;
    QTest::newRow("smaller small card") << Kind::SmallCard << QSize(90, 120) << note;
    QTest::newRow("large card at its size") << Kind::LargeCard << QSize(424, 576) << none;
    QTest::newRow("larger large card is scaled down")
        << Kind::LargeCard << QSize(848, 1152) << warning;
    QTest::newRow("large card wider, shorter") << Kind::LargeCard << QSize(500, 400) << warning;
    QTest::newRow("shorter large card") << Kind::LargeCard << QSize(424, 500) << note;
}

void TestAssetCheck::sizeRules() {
    QFETCH(Kind, kind);
    QFETCH(QSize, size);
    QFETCH(int, severity);
    const auto finding = assetcheck::judgeSize({QStringLiteral("x.bmp"), kind}, size);
    QCOMPARE(finding ? int(finding->severity) : -1, severity);
}

void TestAssetCheck::brokenFileIsFoundAlone_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("bytes"); // "-" removes the file, "/" puts a folder there
    QTest::addColumn<int>("severity");
    QTest::addColumn<QString>("says");
    const int note = int(Severity::Note), warning = int(Severity::Warning),
              problem = int(Severity::Problem);
    QTest::newRow("missing small card")
        << "img_familles\\v30.bmp" << QByteArray("-") << problem << "fichièr mancant";
    QTest::newRow("missing narration")
        << "son_album\\3.mp3" << QByteArray("-") << problem << "fichièr mancant";
    QTest::newRow("zero-byte miniature")
        << "img_familles\\mini18.bmp" << QByteArray() << problem << "imatge void";
    QTest::newRow("not a bitmap") << "img_album\\5.bmp" << QByteArray("GIF89a").repeated(40)
                                  << problem
                                  << "imatge BMP pas valid : damatjat, copat o d'un autre format";
    QTest::newRow("truncated large card")
        << "img_familles\\30.bmp"
        << TestAssets::original(QStringLiteral("img_familles\\30.bmp")).left(5000) << problem
        << "imatge BMP pas valid";
    QTest::newRow("folder instead of a card")
        << "img_familles\\40.bmp" << QByteArray("/") << problem
        << "illegible : lo fichièr se pòt pas dobrir (un dorsièr, un ligam copat o sens drech de "
           "lectura)";
    QTest::newRow("garbage word") << "sons_familles\\12.mp3"
                                  << QByteArray("pas un son ").repeated(200) << problem
                                  << "MP3 illegible : lo jòc i tròba pas de son";
    QTest::newRow("truncated word")
        << "sons_familles\\44.mp3"
        << TestAssets::original(QStringLiteral("sons_familles\\44.mp3")).left(30) << problem
        << "MP3 illegible";
    QTest::newRow("miniature too wide")
        << "img_familles\\mini42.bmp" << bmpOfSize(200, 217) << problem << "copada";
    QTest::newRow("large card too large")
        << "img_familles\\47.bmp" << bmpOfSize(500, 680) << warning << "reducha";
    QTest::newRow("small card smaller")
        << "img_familles\\v8.bmp" << bmpOfSize(90, 120) << note << "mai pichona";
}

void TestAssetCheck::brokenFileIsFoundAlone() {
    QFETCH(QString, path);
    QFETCH(QByteArray, bytes);
    QFETCH(int, severity);
    QFETCH(QString, says);
    TestAssets assets;
    if (bytes == "-") {
        assets.remove(path);
    } else if (bytes == "/") {
        assets.remove(path);
        QVERIFY(QDir(assets.path()).mkpath(catalogue::toNativeRelative(path)));
    } else {
        assets.replace(path, bytes);
    }
    RealReaders real;
    const auto findings = assetcheck::checkCurrentFolder(real.readers);
    QCOMPARE(findings.size(), size_t(1));
    QCOMPARE(findings[0].path, path);
    QCOMPARE(int(findings[0].severity), severity);
    // A says with its detail is the whole line: no reader's own (French) words come after it.
    QVERIFY2(says.contains(QStringLiteral(" : ")) ? findings[0].message == says
                                                  : findings[0].message.contains(says),
             qPrintable(findings[0].message));
    QCOMPARE(assetcheck::hasProblem(findings), severity == int(Severity::Problem));
}

void TestAssetCheck::strayFileIsOnlyNoted() {
    TestAssets assets;
    assets.replace(QStringLiteral("img_album\\notes.txt"), "page 18");
    RealReaders real;
    const auto findings = assetcheck::checkCurrentFolder(real.readers);
    QCOMPARE(findings.size(), size_t(1));
    QCOMPARE(findings[0].path, QStringLiteral("img_album\\notes.txt"));
    QCOMPARE(findings[0].severity, Severity::Note);
    QVERIFY(!assetcheck::hasProblem(findings));
}

void TestAssetCheck::programAcceptsTheDefaultSet() {
    const Run run = runChecker(TestAssets::defaultAssetDir());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.trimmed(), QStringLiteral("196 fichièrs verificats : 0 problèma(s), "
                                               "0 avertiment(s), 0 remarca(s)"));
}

void TestAssetCheck::programReportsRemovedTruncatedAndRenamedFiles() {
    TestAssets assets;
    assets.remove(QStringLiteral("img_familles\\v30.bmp"));
    assets.replace(QStringLiteral("img_album\\5.bmp"),
                   TestAssets::original(QStringLiteral("img_album\\5.bmp")).left(20000));
    QVERIFY(QFile::rename(assets.path() + QStringLiteral("/sons_familles/12.mp3"),
                          assets.path() + QStringLiteral("/sons_familles/douze.mp3")));
    const Run run = runChecker(assets.path());
    QCOMPARE(run.exitCode, 1);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 5);
    QVERIFY2(
        lines[0].startsWith(QStringLiteral("PROBLÈMA\timg_album\\5.bmp : imatge BMP pas valid")),
        qPrintable(lines[0]));
    QCOMPARE(lines[1], QStringLiteral("PROBLÈMA\tsons_familles\\12.mp3 : fichièr mancant"));
    QCOMPARE(lines[2], QStringLiteral("PROBLÈMA\timg_familles\\v30.bmp : fichièr mancant"));
    QCOMPARE(lines[3], QStringLiteral("remarca\tsons_familles\\douze.mp3 : fichièr que lo "
                                      "programa demanda pas jamai"));
    QCOMPARE(lines[4], QStringLiteral("196 fichièrs verificats : 3 problèma(s), "
                                      "0 avertiment(s), 1 remarca(s)"));
}

void TestAssetCheck::programRefusesAMissingFolder() {
    const Run run = runChecker(QStringLiteral("/nowhere/mirabosc-assets"));
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.contains(QStringLiteral("dorsièr introbable")), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestAssetCheck)
#include "tst_assetcheck.moc"
