// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Inputs the fuzz targets found or were seeded with, each with the outcome the reader or the
// narration player must give: a picture of a given size, one of the reader's errors, or a
// narration that opens, plays and decodes to an end, or is refused.
#include "audio/AudioOutput.h"
#include "audio/MediaPlayerMP3.h"
#include "audio/NarrationSource.h"
#include "base/Errors.h"
#include "pictures/PictureLoader.h"

#include <QDir>
#include <QFile>
#include <QtTest>

namespace {

// Far longer than any narration, so a decoder that never ends is caught rather than waited on.
constexpr int64_t maxDecodedFrames = int64_t(AudioOutput::rate) * 600;
constexpr int readChunk = AudioOutput::bufferFrames;

struct Case {
    QString file; // relative to the regressions folder
    QString outcome;
};

QString folder() {
    return QFINDTESTDATA("regressions");
}

QList<Case> manifest() {
    QList<Case> cases;
    QFile file(folder() + QStringLiteral("/outcomes.txt"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return cases;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const qsizetype gap = line.indexOf(QLatin1Char(' '));
        cases.append({line.left(gap), line.mid(gap).trimmed()});
    }
    return cases;
}

void addRows(const QString& kind) {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("outcome");
    for (const Case& c : manifest())
        if (c.file.startsWith(kind + QLatin1Char('/')))
            QTest::newRow(qPrintable(c.file)) << folder() + QLatin1Char('/') + c.file << c.outcome;
}

// The outcome as the manifest writes it.
QString pictureOutcome(const QString& path) {
    try {
        const QImage image = pictures::loadPicture(path);
        if (image.isNull())
            return QStringLiteral("empty");
        return QStringLiteral("picture %1x%2").arg(image.width()).arg(image.height());
    } catch (const EReadError&) {
        return QStringLiteral("EReadError");
    } catch (const EInvalidGraphic&) {
        return QStringLiteral("EInvalidGraphic");
    }
}

} // namespace

class TestFuzzRegressions : public QObject {
    Q_OBJECT
private slots:
    void everyFileHasAnOutcome();
    void pictures_data() { addRows(QStringLiteral("bmp")); }
    void pictures();
    void narrations_data() { addRows(QStringLiteral("mp3")); }
    void narrations();
};

void TestFuzzRegressions::everyFileHasAnOutcome() {
    QStringList listed;
    for (const Case& c : manifest())
        listed << c.file;
    QVERIFY(!listed.isEmpty());
    for (const QString& kind : {QStringLiteral("bmp"), QStringLiteral("mp3")})
        for (const QString& name : QDir(folder() + QLatin1Char('/') + kind).entryList(QDir::Files))
            QVERIFY2(listed.contains(kind + QLatin1Char('/') + name), qPrintable(name));
}

void TestFuzzRegressions::pictures() {
    QFETCH(QString, path);
    QFETCH(QString, outcome);
    QCOMPARE(pictureOutcome(path), outcome);
}

void TestFuzzRegressions::narrations() {
    QFETCH(QString, path);
    QFETCH(QString, outcome);
    MediaPlayerMP3 player;
    player.setFileName(path);
    if (outcome == QLatin1String("refused")) {
        QVERIFY_THROWS_EXCEPTION(EMCIDeviceError, player.open());
        QVERIFY(!player.isOpen());
        return;
    }
    QCOMPARE(outcome, QStringLiteral("plays"));
    try {
        player.open();
    } catch (const EMCIDeviceError& e) {
        QFAIL(qPrintable(QStringLiteral("refused: ") + e.message()));
    }
    player.play();
    QVERIFY(!player.lastPlayRefused()); // SDL's dummy output takes every narration
    player.close();
    QVERIFY(!player.isPlaying());

    // What the output thread does with it: read until it has finished, then once more after a
    // rewind.
    NarrationSource source(path);
    std::vector<float> buffer(size_t(readChunk) * AudioOutput::channels);
    int64_t total = 0;
    while (!source.finished() && total < maxDecodedFrames) {
        const int got = source.read(buffer.data(), readChunk);
        QVERIFY(got > 0 || source.finished());
        total += got;
    }
    QVERIFY(source.finished());
    QVERIFY(total > 0);
    if (source.rewind())
        QVERIFY(source.read(buffer.data(), readChunk) > 0);
}

QTEST_GUILESS_MAIN(TestFuzzRegressions)
#include "tst_fuzzregressions.moc"
