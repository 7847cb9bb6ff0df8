// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The soak's driver: one user action at a time from the event loop that is running, whichever
// it is (the program's own, a screen's modal loop or a message box's), each followed by the
// invariant checks, until the planned number of actions has run.
#pragma once

#include <QApplication>
#include <QDebug>
#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <random>
#include <vector>

class SoakWalk {
public:
    using Rng = std::mt19937;
    // Performs one action and returns what it did, for the failure report.
    std::function<QString(Rng&)> act;
    // Returns a description of the first broken invariant, or an empty text.
    std::function<QString()> check;
    // Brings the program back to its menu with nothing open, at the end of the walk.
    std::function<void()> finish;

    SoakWalk(int actions, quint32 seed) : total_(actions), rng_(seed) {}

    void start() {
        // A handler that never returns to an event loop stops the walk here, not at the
        // test's timeout, with the last actions on record.
        watchdog_.callOnTimeout(&context_, [this] {
            if (done_ == doneAtLastLook_)
                stop(QStringLiteral("no action for %1 s: the program holds its event loop")
                         .arg(watchdogSeconds));
            doneAtLastLook_ = done_;
        });
        watchdog_.start(watchdogSeconds * 1000);
        post();
    }
    bool finished() const { return finished_; }
    int done() const { return done_; }
    const QString& failure() const { return failure_; }
    // The last actions before a failure, oldest first.
    QString recent() const { return recent_.join(QLatin1Char('\n')); }

private:
    // No message box may wait longer than this many passes of the event loop for its answer.
    static constexpr int maxPassesWithABox = 1000;
    static constexpr int recentKept = 40;
    static constexpr int watchdogSeconds = 30;

    void post() {
        const auto next = [this] { step(); };
        QMetaObject::invokeMethod(&context_, next, Qt::QueuedConnection);
    }

    static QMessageBox* openBox() {
        return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    }

    void step() {
        if (finished_)
            return;
        // Still inside the event processing that a QTest call does after its event: the action
        // that runs it has not returned yet, and no new modal loop has started.
        if (!acting_.empty() && QApplication::activeModalWidget() == acting_.back())
            return post();
        if (QMessageBox* box = openBox()) {
            if (++passesWithABox_ > maxPassesWithABox)
                return stop(QStringLiteral("a message box was never answered: ") + box->text());
            return post();
        }
        passesWithABox_ = 0;
        if (const QString problem = check(); !problem.isEmpty())
            return stop(problem);
        if (done_ == total_) {
            watchdog_.stop();
            finished_ = true;
            finish();
            return;
        }
        ++done_;
        // Posted before acting, so that a screen or box the action opens is driven from inside.
        post();
        acting_.push_back(QApplication::activeModalWidget());
        // Noted before it runs: the actions that run inside a screen it opens come after it.
        const QString number = QString::number(done_) + QLatin1Char(' ');
        remember(number + QStringLiteral("..."));
        const QString what = act(rng_);
        for (QString& line : recent_)
            if (line.startsWith(number))
                line = number + what;
        acting_.pop_back();
    }

    void stop(const QString& problem) {
        if (finished_)
            return;
        failure_ = QStringLiteral("action %1: %2").arg(done_).arg(problem);
        // Said at once: should the program not come back from here, the log still tells.
        qWarning().noquote() << failure_ + QStringLiteral("\nlast actions:\n") + recent();
        watchdog_.stop();
        finished_ = true;
        finish();
    }

    void remember(const QString& action) {
        recent_.append(action);
        if (recent_.size() > recentKept)
            recent_.removeFirst();
    }

    QObject context_;
    QTimer watchdog_;
    int doneAtLastLook_ = -1;
    int total_;
    Rng rng_;
    int done_ = 0;
    int passesWithABox_ = 0;
    bool finished_ = false;
    QString failure_;
    QStringList recent_;
    std::vector<QWidget*> acting_; // the modal widget when each action under way began
};
