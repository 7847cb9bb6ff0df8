// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The asset catalogue: card numbering, the paths of each folder and the list of expected files.
#include "assets/Catalogue.h"
#include "assets/PhraseTexts.h"
#include "base/Errors.h"
#include "check/AssetCheck.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestCatalogue : public QObject {
    Q_OBJECT
private slots:
    void familyNumbering_data();
    void familyNumbering();
    void cardFiles_data();
    void cardFiles();
    void titleNumbersNameNoPicture();
    void albumRunsFromPageOneToSeventeen();
    void expectedFilesCoverEachFolderOnce();
    void resolveUsesTheCurrentDirectoryAtCallTime();
    void defaultPhrasesAreTheGamesWords();
    void phraseFile_data();
    void phraseFile();
    void setPhrasesOverTheDefaults();
    void phrasesAreCheckedOnlyWhenTheSetHasThem();
};

void TestCatalogue::familyNumbering_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("title");
    QTest::addColumn<QString>("titleSound");
    QTest::addColumn<QString>("miniature");
    QTest::newRow("la familha") << 1 << 1 << "sons_familles\\1.mp3"
                                << "img_familles\\mini2.bmp";
    QTest::newRow("la cara") << 2 << 9 << "sons_familles\\9.mp3"
                             << "img_familles\\mini10.bmp";
    QTest::newRow("la montanha") << 4 << 25 << "sons_familles\\25.mp3"
                                 << "img_familles\\mini26.bmp";
    QTest::newRow("las colors") << 7 << 49 << "sons_familles\\49.mp3"
                                << "img_familles\\mini50.bmp";
}

void TestCatalogue::familyNumbering() {
    QFETCH(int, family);
    QFETCH(int, title);
    QFETCH(QString, titleSound);
    QFETCH(QString, miniature);
    QCOMPARE(catalogue::titleNumber(family), title);
    QCOMPARE(catalogue::cardSound(catalogue::titleNumber(family)), titleSound);
    const auto cards = catalogue::familyCards(family);
    QCOMPARE(catalogue::miniature(cards.front()), miniature);
    // The seven cards follow the title without a gap, slot i being card i + 8k - 7.
    for (int slot = 1; slot <= catalogue::cardsPerFamily; ++slot) {
        QCOMPARE(cards[slot - 1], title + slot);
        QCOMPARE(catalogue::cardNumber(family, slot), cards[slot - 1]);
    }
}

void TestCatalogue::cardFiles_data() {
    QTest::addColumn<int>("family");
    QTest::addColumn<int>("slot");
    QTest::addColumn<QString>("small");
    QTest::addColumn<QString>("large");
    QTest::addColumn<QString>("sound");
    QTest::newRow("first card of family 1") << 1 << 1 << "img_familles\\v2.bmp"
                                            << "img_familles\\2.bmp"
                                            << "sons_familles\\2.mp3";
    QTest::newRow("slot 7 of family 7") << 7 << 7 << "img_familles\\v56.bmp"
                                        << "img_familles\\56.bmp"
                                        << "sons_familles\\56.mp3";
    QTest::newRow("slot 3 of family 5") << 5 << 3 << "img_familles\\v36.bmp"
                                        << "img_familles\\36.bmp"
                                        << "sons_familles\\36.mp3";
}

void TestCatalogue::cardFiles() {
    QFETCH(int, family);
    QFETCH(int, slot);
    QFETCH(QString, small);
    QFETCH(QString, large);
    QFETCH(QString, sound);
    const int card = catalogue::cardNumber(family, slot);
    QCOMPARE(catalogue::smallCard(card), small);
    QCOMPARE(catalogue::largeCard(card), large);
    QCOMPARE(catalogue::cardSound(card), sound);
}

void TestCatalogue::titleNumbersNameNoPicture() {
    const QList<int> titles = {1, 9, 17, 25, 33, 41, 49};
    for (int number = 1; number <= catalogue::lastCardNumber; ++number)
        QCOMPARE(catalogue::isTitleNumber(number), titles.contains(number));
    for (int family = 1; family <= catalogue::familyCount; ++family)
        for (const int card : catalogue::familyCards(family))
            QVERIFY2(!catalogue::isTitleNumber(card), qPrintable(QString::number(card)));
    static const QRegularExpression numbered(
        QStringLiteral("^img_familles\\\\(?:v|mini)?(\\d+)\\.bmp$"));
    int pictures = 0;
    for (const assetcheck::ExpectedFile& file : assetcheck::expectedFiles()) {
        const auto match = numbered.match(file.path);
        if (!match.hasMatch())
            continue;
        ++pictures;
        QVERIFY2(!titles.contains(match.captured(1).toInt()), qPrintable(file.path));
    }
    QCOMPARE(pictures, 7 + 49 + 49);
}

void TestCatalogue::albumRunsFromPageOneToSeventeen() {
    QCOMPARE(catalogue::albumPicture(1), QStringLiteral("img_album\\1.bmp"));
    QCOMPARE(catalogue::albumPicture(17), QStringLiteral("img_album\\17.bmp"));
    QCOMPARE(catalogue::albumNarration(17), QStringLiteral("son_album\\17.mp3"));
    QStringList pages;
    for (const assetcheck::ExpectedFile& file : assetcheck::expectedFiles())
        if (file.path.startsWith(QLatin1String("img_album\\")) ||
            file.path.startsWith(QLatin1String("son_album\\")))
            pages << file.path.section(QLatin1Char('\\'), 1);
    QStringList wanted;
    for (int page = 1; page <= 17; ++page)
        wanted << QStringLiteral("%1.bmp").arg(page) << QStringLiteral("%1.mp3").arg(page);
    QCOMPARE(pages, wanted);
}

void TestCatalogue::expectedFilesCoverEachFolderOnce() {
    QMap<assetcheck::Kind, int> kinds;
    QSet<QString> paths;
    for (const assetcheck::ExpectedFile& file : assetcheck::expectedFiles()) {
        ++kinds[file.kind];
        QVERIFY2(!paths.contains(file.path), qPrintable(file.path));
        paths.insert(file.path);
    }
    QCOMPARE(paths.size(), 196);
    QCOMPARE(kinds[assetcheck::Kind::AlbumPage], 17);
    QCOMPARE(kinds[assetcheck::Kind::Miniature], 7);
    QCOMPARE(kinds[assetcheck::Kind::SmallCard], 49);
    QCOMPARE(kinds[assetcheck::Kind::LargeCard], 49 + 1); // the cards and the blank card
    QCOMPARE(kinds[assetcheck::Kind::Sound], 17 + 56);
    QVERIFY(paths.contains(QStringLiteral("img_familles\\vierge.bmp")));
    QVERIFY(paths.contains(QStringLiteral("sons_familles\\1.mp3")));
}

void TestCatalogue::resolveUsesTheCurrentDirectoryAtCallTime() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString here = QDir::currentPath();
    const QString resolved = catalogue::resolve(QStringLiteral("img_album\\1.bmp"));
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(resolved, here + QStringLiteral("/img_album/1.bmp"));
    QVERIFY(catalogue::resolve(QStringLiteral("img_album\\1.bmp")) != resolved);
}

void TestCatalogue::defaultPhrasesAreTheGamesWords() {
    using catalogue::Phrase;
    const PhraseTexts& phrases = PhraseTexts::defaultSet();
    for (int number = 1; number <= catalogue::phraseCount; ++number)
        QVERIFY2(phrases.has(Phrase(number)), qPrintable(QString::number(number)));
    const char* const texts[] = {"Dins la familha",
                                 "vòli",
                                 "Òc, aquí es !",
                                 "Non, l'ai pas. Pesca !",
                                 "Bona pesca !",
                                 "Familha completa !",
                                 "As ganhat !",
                                 "a ganhat",
                                 "Joana"};
    for (int number = 1; number <= int(std::size(texts)); ++number)
        QCOMPARE(phrases.text(Phrase(number)), QString::fromUtf8(texts[number - 1]));
    QCOMPARE(catalogue::phraseVoiceNames().constLast(), QStringLiteral("son_frasas/11.mp3"));
}

void TestCatalogue::phraseFile_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error"); // empty: read
    QTest::addColumn<QString>("sixth");
    QTest::addColumn<QString>("sixthSpoken");
    QTest::newRow("one phrase, others left out") << "# a class's\nphrase 6 | Totas !\n"
                                                 << ""
                                                 << "Totas !"
                                                 << "Totas !";
    QTest::newRow("a say field") << "phrase 6 | Totas ! | say totas"
                                 << ""
                                 << "Totas !"
                                 << "totas";
    QTest::newRow("number out of range") << "phrase 12 | x"
                                         << "linha 1"
                                         << ""
                                         << "";
    QTest::newRow("given twice") << "phrase 6 | a\n\nphrase 6 | b"
                                 << "linha 3"
                                 << ""
                                 << "";
    QTest::newRow("not a phrase") << "frasa 6 | a"
                                  << "linha 1"
                                  << ""
                                  << "";
    QTest::newRow("empty text") << "phrase 6 | "
                                << "linha 1"
                                << ""
                                << "";
    QTest::newRow("third field not say") << "phrase 6 | a | b"
                                         << "linha 1"
                                         << ""
                                         << "";
}

void TestCatalogue::phraseFile() {
    QFETCH(QString, text);
    QFETCH(QString, error);
    QFETCH(QString, sixth);
    QFETCH(QString, sixthSpoken);
    try {
        const PhraseTexts phrases = PhraseTexts::parse(text, QStringLiteral("frasas.txt"));
        QVERIFY2(error.isEmpty(), "read a file it should refuse");
        QCOMPARE(phrases.text(catalogue::Phrase::FamilyComplete), sixth);
        QCOMPARE(phrases.spoken(catalogue::Phrase::FamilyComplete), sixthSpoken);
        QVERIFY(!phrases.has(catalogue::Phrase::InFamily));
    } catch (const EReadError& e) {
        QVERIFY2(!error.isEmpty(), qPrintable(e.message()));
        QVERIFY2(e.message().contains(QStringLiteral("frasas.txt, ") + error),
                 qPrintable(e.message()));
    }
}

// A set's own phrases replace the defaults they name; a set without the file, or with a broken
// one, plays with the defaults. Its own voice is taken before the default set's.
void TestCatalogue::setPhrasesOverTheDefaults() {
    using catalogue::Phrase;
    QTemporaryDir set;
    QTemporaryDir defaults;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(set.path()));
    const auto restore = qScopeGuard([&previous] {
        QDir::setCurrent(previous);
        qunsetenv("MIRABOSC_DEFAULT_SET");
    });
    QCOMPARE(PhraseTexts::ofCurrentSet().text(Phrase::YouWon), QStringLiteral("As ganhat !"));
    QCOMPARE(PhraseTexts::voiceFile(Phrase::YouWon), QStringLiteral("son_frasas\\7.mp3"));

    QVERIFY(QDir(defaults.path()).mkpath(QStringLiteral("son_frasas")));
    QFile(defaults.filePath(QStringLiteral("son_frasas/7.mp3"))).open(QIODevice::WriteOnly);
    qputenv("MIRABOSC_DEFAULT_SET", defaults.path().toUtf8());
    QCOMPARE(PhraseTexts::voiceFile(Phrase::YouWon),
             defaults.filePath(QStringLiteral("son_frasas/7.mp3")));
    QVERIFY(QDir().mkpath(QStringLiteral("son_frasas")));
    QFile(QStringLiteral("son_frasas/7.mp3")).open(QIODevice::WriteOnly);
    QCOMPARE(PhraseTexts::voiceFile(Phrase::YouWon), QStringLiteral("son_frasas\\7.mp3"));

    QVERIFY(QDir().mkpath(QStringLiteral("textes")));
    QFile own(QStringLiteral("textes/frasas.txt"));
    QVERIFY(own.open(QIODevice::WriteOnly));
    own.write("phrase 7 | Bravo !\n");
    own.close();
    QCOMPARE(PhraseTexts::ofCurrentSet().text(Phrase::YouWon), QStringLiteral("Bravo !"));
    QCOMPARE(PhraseTexts::ofCurrentSet().text(Phrase::HasWon), QStringLiteral("a ganhat"));
    QVERIFY(own.open(QIODevice::WriteOnly | QIODevice::Truncate));
    own.write("phrase 7 | Bravo !\nphrase 7 | again\n");
    own.close();
    QCOMPARE(PhraseTexts::ofCurrentSet().text(Phrase::YouWon), QStringLiteral("As ganhat !"));
}

// A set without the game's phrases is no problem; a broken phrase voice or text is.
void TestCatalogue::phrasesAreCheckedOnlyWhenTheSetHasThem() {
    QTemporaryDir set;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(set.path()));
    const auto restore = qScopeGuard([&previous] { QDir::setCurrent(previous); });
    const assetcheck::Readers readers{[](const QString&) { return QSize(1, 1); },
                                      [](const QString& path) {
                                          if (path.startsWith(QLatin1String("son_frasas")))
                                              throw EMCIDeviceError(QStringLiteral("pas MP3"));
                                      }};
    const auto about = [](const std::vector<assetcheck::Finding>& findings, const QString& path) {
        return std::count_if(findings.begin(), findings.end(), [&path](const auto& f) {
            return f.path == path && f.severity == assetcheck::Severity::Problem;
        });
    };
    const QString voice = QStringLiteral("son_frasas\\5.mp3");
    QCOMPARE(about(assetcheck::checkCurrentFolder(readers), voice), 0);
    QVERIFY(QDir().mkpath(QStringLiteral("son_frasas")) && QDir().mkpath(QStringLiteral("textes")));
    QFile(QStringLiteral("son_frasas/5.mp3")).open(QIODevice::WriteOnly);
    QCOMPARE(about(assetcheck::checkCurrentFolder(readers), voice), 1);
    QFile text(QStringLiteral("textes/frasas.txt"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("phrase 99 | x\n");
    text.close();
    QCOMPARE(about(assetcheck::checkSetFiles(), QStringLiteral("textes/frasas.txt")), 1);
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
