// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading numbers out of control names.
#include "base/Errors.h"
#include "text/fichiers_Chaines.h"

#include <QtTest>

class TestExtraireNombre : public QObject {
    Q_OBJECT
private slots:
    void examples_data();
    void examples();
    void outOfRange_data();
    void outOfRange();
    void bytesAbove127AreNeverDigits();
};

constexpr int32_t d = -1;

void TestExtraireNombre::examples_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("result");
    QTest::newRow("fam1") << QByteArray("fam1") << 1 << 1;
    QTest::newRow("fam7") << QByteArray("fam7") << 1 << 7;
    QTest::newRow("Image3") << QByteArray("Image3") << 1 << 3;
    QTest::newRow("Image3 run 2") << QByteArray("Image3") << 2 << d;
    QTest::newRow("12") << QByteArray("12") << 1 << 12;
    QTest::newRow("12 run 2") << QByteArray("12") << 2 << d;
    QTest::newRow("no digit") << QByteArray("x") << 1 << d;
    QTest::newRow("empty") << QByteArray("") << 1 << d;
    QTest::newRow("a-12b") << QByteArray("a-12b") << 1 << -12;
    QTest::newRow("-12 at the start") << QByteArray("-12") << 1 << -12;
    QTest::newRow("--5") << QByteArray("--5") << 1 << -5;
    QTest::newRow("5-3 run 1") << QByteArray("5-3") << 1 << 5;
    QTest::newRow("5-3 run 2") << QByteArray("5-3") << 2 << -3;
    QTest::newRow("run 2 of three") << QByteArray("a1b22c333") << 2 << 22;
    QTest::newRow("run 3 at the end") << QByteArray("a1b22c333") << 3 << 333;
    QTest::newRow("no run 4") << QByteArray("a1b22c333") << 4 << d;
    QTest::newRow("leading zeros") << QByteArray("b007") << 1 << 7;
    QTest::newRow("minus zero") << QByteArray("x-0") << 1 << 0;
    QTest::newRow("largest") << QByteArray("a2147483647") << 1 << 2147483647;
    QTest::newRow("smallest") << QByteArray("a-2147483648") << 1 << int(-2147483648LL);
    QTest::newRow("stops before a huge run 2") << QByteArray("a9b2147483648") << 1 << 9;
    QTest::newRow("n = 0") << QByteArray("fam7") << 0 << d;
    QTest::newRow("negative n") << QByteArray("fam7") << -1 << d;
    QTest::newRow("minus after a space is no sign") << QByteArray("- 4") << 1 << 4;
    QTest::newRow("many zeros") << QByteArray("0000000000000000000042") << 1 << 42;
}

void TestExtraireNombre::examples() {
    QFETCH(QByteArray, text);
    QFETCH(int, n);
    QFETCH(int, result);
    QCOMPARE(ExtraireNombre(std::string_view(text.constData(), size_t(text.size())), n, d), result);
}

void TestExtraireNombre::outOfRange_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("one above") << "a2147483648"
                               << "'2147483648' n'est pas une valeur entière correcte";
    QTest::newRow("one below") << "a-2147483649"
                               << "'-2147483649' n'est pas une valeur entière correcte";
    QTest::newRow("zeros kept in the text")
        << "x0099999999999"
        << "'0099999999999' n'est pas une valeur entière correcte";
}

void TestExtraireNombre::outOfRange() {
    QFETCH(QString, text);
    QFETCH(QString, message);
    try {
        ExtraireNombre(text, 1, d);
        QFAIL("no conversion error");
    } catch (const EConvertError& e) {
        QCOMPARE(e.message(), message);
    }
}

void TestExtraireNombre::bytesAbove127AreNeverDigits() {
    // Superscript two and three in Windows-1252, then a real digit.
    const char text[] = "a\xB2\xB3x4";
    QCOMPARE(ExtraireNombre(std::string_view(text), 1, d), 4);
    QCOMPARE(ExtraireNombre(QStringLiteral("x²³"), 1, d), d);
}

QTEST_APPLESS_MAIN(TestExtraireNombre)
#include "tst_extrairenombre.moc"
