// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// mirabosc-assetgen's handling of its input: malformed data is refused before anything is written.
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#if !defined(MIRABOSC_ASSETGEN_PROGRAM) || !defined(MIRABOSC_DATA_DIR)
#error "tools/check/CMakeLists.txt names the generator and the data folder for this test"
#endif

namespace {

constexpr int generatorTimeoutMs = 120000;

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run generate(const QStringList& arguments, const QString& workingDirectory = {}) {
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.start(QStringLiteral(MIRABOSC_ASSETGEN_PROGRAM), arguments);
    Run run;
    if (!process.waitForFinished(generatorTimeoutMs))
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A copy of data/ in which the test can break one file.
bool copyData(const QString& to) {
    QDirIterator it(QStringLiteral(MIRABOSC_DATA_DIR), QDir::Files);
    while (it.hasNext()) {
        it.next();
        if (!QFile::copy(it.filePath(), QDir(to).filePath(it.fileName())))
            return false;
    }
    return true;
}

} // namespace

class TestAssetGen : public QObject {
    Q_OBJECT
private slots:
    void brokenDataIsRefusedUnwritten_data();
    void brokenDataIsRefusedUnwritten();
    void commandLineMisuseShowsUsage_data();
    void commandLineMisuseShowsUsage();
    void voiceReadsRespelledOccitan_data();
    void voiceReadsRespelledOccitan();
};

void TestAssetGen::brokenDataIsRefusedUnwritten_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("from"); // empty: append `to`; "*": delete the file
    QTest::addColumn<QByteArray>("to");   // "<cut>": drop everything from `from` on
    QTest::addColumn<QString>("says");    // %L: the number of the line that was changed
    QTest::newRow("unknown keyword")
        << "familles.txt" << QByteArray() << QByteArray("carte 57 | x\n")
        << "familles.txt, linha %L : mot clau desconegut « carte »";
    QTest::newRow("card out of order")
        << "familles.txt" << QByteArray("card 3 |") << QByteArray("card 4 |")
        << "familles.txt, linha %L : carta 3 esperada aicí";
    QTest::newRow("eighth card") << "familles.txt" << QByteArray("\nfamily 2")
                                 << QByteArray("\ncard 9 | lo can | emoji 1F415\nfamily 2")
                                 << "mai de 7 cartas dins la familha 1";
    QTest::newRow("colour by name")
        << "familles.txt" << QByteArray("#E4574B") << QByteArray("roge") << "color esperada";
    QTest::newRow("not a code point") << "familles.txt" << QByteArray("emoji 1F468")
                                      << QByteArray("emoji 1F46G") << "punt de còde pas valid";
    QTest::newRow("surrogate code point") << "familles.txt" << QByteArray("emoji 1F468")
                                          << QByteArray("emoji D800") << "punt de còde pas valid";
    QTest::newRow("day eight") << "familles.txt" << QByteArray("calendar 7")
                               << QByteArray("calendar 8") << "jorn esperat entre 1 e 7";
    QTest::newRow("emoji the font lacks")
        << "familles.txt" << QByteArray("emoji 1F468") << QByteArray("emoji E000")
        << "carte 2 : la police Noto Color Emoji n'a pas";
    QTest::newRow("six families") << "familles.txt" << QByteArray("family 7") << QByteArray("<cut>")
                                  << "6 familhas en plaça de 7";
    QTest::newRow("sixteen pages") << "album.txt" << QByteArray("page 17") << QByteArray("<cut>")
                                   << "16 paginas en plaça de 17";
    QTest::newRow("page without words")
        << "album.txt" << QByteArray("text Bona nuèch") << QByteArray("<cut>")
        << "la pagina 17 a pas ni títol ni tèxt";
    QTest::newRow("pictogram off the page")
        << "album.txt" << QByteArray("put 470 255 230") << QByteArray("put 470 900 230")
        << "y esperat entre 0 e 527";
    QTest::newRow("unknown sky") << "album.txt" << QByteArray("sky storm") << QByteArray("sky fog")
                                 << "cèl desconegut « fog »";
    QTest::newRow("Latin-1 text") << "album.txt" << QByteArray("bèstias")
                                  << QByteArray("b\xe8stias")
                                  << "album.txt : lo tèxt es pas en UTF-8";
    QTest::newRow("rule without =") << "prononciation.txt" << QByteArray() << QByteArray("lh ll\n")
                                    << "prononciation.txt, linha %L : ";
    QTest::newRow("missing album")
        << "album.txt" << QByteArray("*") << QByteArray() << "Impossible de dobrir lo fichièr";
}

void TestAssetGen::brokenDataIsRefusedUnwritten() {
    QFETCH(QString, file);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, says);
    QTemporaryDir work;
    QVERIFY(work.isValid());
    const QString data = work.filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(data));
    QVERIFY(copyData(data));
    QFile target(QDir(data).filePath(file));
    int changedLine = 0;
    if (from == "*") {
        QVERIFY(target.remove());
    } else {
        QVERIFY(target.open(QIODevice::ReadOnly));
        QByteArray text = target.readAll();
        target.close();
        if (from.isEmpty()) {
            changedLine = int(text.count('\n')) + 1;
            text += to;
        } else {
            QVERIFY2(text.contains(from), from.constData());
            changedLine = int(text.left(text.indexOf(from)).count('\n')) + 1;
            if (to == "<cut>")
                text.truncate(text.indexOf(from));
            else
                text.replace(from, to);
        }
        QVERIFY(target.open(QIODevice::WriteOnly | QIODevice::Truncate));
        target.write(text);
        target.close();
    }
    const QString out = work.filePath(QStringLiteral("assets"));
    const Run run = generate({QStringLiteral("--data"), data, out});
    QCOMPARE(run.exitCode, 1);
    says.replace(QStringLiteral("%L"), QString::number(changedLine));
    QVERIFY2(run.err.contains(says), qPrintable(run.err + " / " + says));
    QVERIFY(!QFileInfo::exists(out));
}

void TestAssetGen::commandLineMisuseShowsUsage_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("nothing") << QStringList();
    QTest::newRow("two output folders") << QStringList({"a", "b"});
    QTest::newRow("unknown option") << QStringList({"--colour", "a"});
    QTest::newRow("data folder without value") << QStringList({"a", "--data"});
    QTest::newRow("output folder and contact sheet")
        << QStringList({"a", "--contact-sheet", "b.png"});
}

void TestAssetGen::commandLineMisuseShowsUsage() {
    QFETCH(QStringList, arguments);
    QTemporaryDir work;
    QVERIFY(work.isValid());
    const Run run = generate(arguments, work.path());
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.startsWith(QStringLiteral("Usage : mirabosc-assetgen")), qPrintable(run.err));
    QVERIFY(QDir(work.path()).isEmpty());
}

void TestAssetGen::voiceReadsRespelledOccitan_data() {
    QTest::addColumn<QString>("occitan");
    QTest::addColumn<QString>("respelled");
    QTest::newRow("lh, final a") << "la familha"
                                 << "la famillo";
    QTest::newRow("nh, plain o") << "la montanha"
                                 << "la muntanyo";
    QTest::newRow("j, open ò kept") << "dijòus"
                                    << "ditjòus";
    QTest::newRow("ge") << "dimenge"
                        << "dimentje";
    QTest::newRow("plural -as, article kept") << "las bèstias"
                                              << "las bèstios";
    QTest::newRow("apostrophe splits words") << "l'uèlh"
                                             << "l'uèll";
    QTest::newRow("whole word before the rules") << "lo nas"
                                                 << "lu nas";
    QTest::newRow("final n silent") << "lo lapin e lo balon"
                                    << "lu lapí e lu balú";
    QTest::newRow("gj, punctuation kept") << "A miègjorn, Joana!"
                                          << "a miètjurn, tjuano!";
}

void TestAssetGen::voiceReadsRespelledOccitan() {
    QFETCH(QString, occitan);
    QFETCH(QString, respelled);
    const Run run = generate({QStringLiteral("--say"), occitan});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[0], respelled);
    QVERIFY(!lines[1].trimmed().isEmpty()); // the phonemes espeak-ng will say
}

QTEST_GUILESS_MAIN(TestAssetGen)
#include "tst_assetgen.moc"
