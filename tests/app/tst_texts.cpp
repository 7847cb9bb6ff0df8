// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The application title and the error box's full-stop rule.
#include "app/ApplicationTitle.h"
#include "toolkit/Dialogs.h"

#include <QtTest>

class TestTexts : public QObject {
    Q_OBJECT
private slots:
    void title_data();
    void title();
    void fullStop_data();
    void fullStop();
};

void TestTexts::title_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("upper case") << "C:\\Jeux\\MIRABOSC.EXE"
                                << "Mirabosc";
    QTest::newRow("lower case keeps its first letter") << "mirabosc.exe"
                                                       << "mirabosc";
    QTest::newRow("cut at the first dot") << "/opt/x/mirabosc.old.exe"
                                          << "mirabosc";
    QTest::newRow("no extension") << "/usr/bin/MiRaBoSc"
                                  << "Mirabosc";
    QTest::newRow("a dotted folder is not the name") << "/home/a.b/Mirabosc"
                                                     << "Mirabosc";
    QTest::newRow("one letter") << "M.exe"
                                << "M";
}

void TestTexts::title() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    QCOMPARE(applicationTitle(path), title);
}

void TestTexts::fullStop_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a letter gets a stop") << "Image bitmap incorrecte"
                                          << "Image bitmap incorrecte.";
    QTest::newRow("a stop is not doubled") << "Fin."
                                           << "Fin.";
    QTest::newRow("closing bracket") << "Extension de fichier image inconnue (.png)"
                                     << "Extension de fichier image inconnue (.png)";
    QTest::newRow("trailing blank") << "texte "
                                    << "texte ";
    QTest::newRow("exclamation mark") << "Faus!"
                                      << "Faus!";
    QTest::newRow("slash is above the stop") << "a/"
                                             << "a/.";
    QTest::newRow("accented letter") << "entière"
                                     << "entière.";
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void TestTexts::fullStop() {
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(dialogs::withFullStop(message), shown);
}

QTEST_APPLESS_MAIN(TestTexts)
#include "tst_texts.moc"
