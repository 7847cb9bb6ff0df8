// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Soak: a long seeded random walk of a child's actions over the whole program, with the default
// assets and with a damaged set, checking the program's invariants after every action.
//   MIRABOSC_SOAK_ACTIONS (default 20000) and MIRABOSC_SOAK_SEED change the walk.
#include "app/Screens.h"
#include "screens/principale.h"
#include "soak/SoakActions.h"
#include "soak/SoakChecks.h"
#include "soak/SoakScreens.h"
#include "soak/SoakWalk.h"
#include "support/DialogWatcher.h"
#include "support/TestAssets.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QtTest>

namespace {

constexpr int defaultActions = 20000;
constexpr quint32 defaultSeed = 20050301;

int plannedActions() {
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("MIRABOSC_SOAK_ACTIONS", &ok);
    return ok && n > 0 ? n : defaultActions;
}

quint32 seed() {
    bool ok = false;
    const uint s = qEnvironmentVariable("MIRABOSC_SOAK_SEED").toUInt(&ok);
    return ok ? s : defaultSeed;
}

// The offscreen platform says at every showing that it cannot raise a window or pass on size
// hints; over thousands of showings that would bury the walk's own report.
QtMessageHandler defaultHandler = nullptr;
void quietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, message);
}

// Answers a box left up when the walk stops early, then closes the open screen.
void backToTheMenu() {
    for (int i = 0; i < 10; ++i)
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->buttons().constFirst()->click();
    soak::Actions::closeOpenScreen();
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { defaultHandler = qInstallMessageHandler(quietPlatform); }
    void cleanupTestCase() { qInstallMessageHandler(defaultHandler); }
    void walk_data();
    void walk();
};

void TestSoak::walk_data() {
    QTest::addColumn<bool>("damaged");
    QTest::newRow("default assets") << false;
    QTest::newRow("damaged assets") << true;
}

void TestSoak::walk() {
    QFETCH(bool, damaged);
    TestAssets assets;
    if (damaged)
        soak::damage(assets);
    DialogWatcher dialogs;
    Screens screens;
    principale::ficheFamilles->show();
    QVERIFY(QTest::qWaitForWindowExposed(principale::ficheFamilles));

    const int planned = plannedActions();
    soak::Actions actions;
    soak::Checks checks(actions, dialogs, damaged);
    checks.screenRules = [damaged] { return soak::screenRules(damaged); };
    SoakWalk walk(planned, seed() + (damaged ? 1 : 0));
    QEventLoop loop;
    walk.act = [&](SoakWalk::Rng& rng) { return actions.perform(rng); };
    walk.check = [&] { return checks(); };
    walk.finish = [&] {
        backToTheMenu();
        loop.quit();
    };
    walk.start();
    loop.exec();

    QVERIFY2(walk.failure().isEmpty(), qPrintable(walk.failure()));
    qInfo("%d actions, %d quits, %d review messages, %d error boxes, %lld controls reached",
          walk.done(), actions.quits, checks.messages, checks.errorBoxes,
          qint64(actions.touched.size()));
    for (auto it = actions.perWindow.cbegin(); it != actions.perWindow.cend(); ++it)
        qInfo("%d actions in %s", it.value(), qPrintable(it.key()));
    QCOMPARE(walk.done(), planned);
    // Back on the menu with nothing open, and every rule still holding there.
    QTRY_VERIFY(!soak::openScreen() && !QApplication::activeModalWidget());
    const QString after = checks();
    QVERIFY2(after.isEmpty(), qPrintable(after));
    for (const QString& control : soak::controlsToReach())
        QVERIFY2(actions.touched.contains(control), qPrintable(control + " was never reached"));
    if (damaged)
        QVERIFY(checks.errorBoxes > 0); // the damaged files were met and reported
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
