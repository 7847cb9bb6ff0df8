// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The soak's user actions, as a child does them through the windows: pointer moves and glides
// over controls and bare panels, clicks, taps, presses released elsewhere, keys, the close box,
// the blocked menu poked while a screen is open, and now and then quitting and starting again.
#pragma once

#include "screens/principale.h"
#include "toolkit/Form.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

#include <QApplication>
#include <QMap>
#include <QSet>
#include <QWidget>
#include <QWindow>
#include <QtTest>

#include <random>

namespace soak {

using Rng = std::mt19937;

inline int below(Rng& rng, int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(rng);
}
inline bool chance(Rng& rng, int percent) {
    return below(rng, 100) < percent;
}

// The screen open over the menu, if any.
inline Form* openScreen() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* form = qobject_cast<Form*>(w);
        if (form && form != principale::ficheFamilles && form->isVisible())
            return form;
    }
    return nullptr;
}

// The control that a point of a window lands on, named "window/control".
inline QString controlAt(Form* form, QPoint p) {
    QWidget* w = form->childAt(p);
    while (w && w->objectName().isEmpty())
        w = w->parentWidget();
    return form->objectName() + QLatin1Char('/') + (w && w != form ? w->objectName() : QString());
}

class Actions {
public:
    // Every "window/control" that took a pointer move or a click during the walk.
    QSet<QString> touched;
    int quits = 0;
    // What an action saw go wrong as it ran (the blocked menu reacting, a close box ignored).
    QString problem;
    // Actions done in each window.
    QMap<QString, int> perWindow;

    QString perform(Rng& rng) {
        Form* screen = openScreen();
        Form* form = screen ? screen : principale::ficheFamilles;
        ++perWindow[form->objectName()];
        // A desktop's window manager gives the focus back to the program's window when a
        // message box closes; the offscreen platform leaves no window active.
        if (!QApplication::activeWindow())
            form->activateWindow();
        const int roll = below(rng, 100);
        if (roll < 35)
            return move(form, pointOnControl(rng, form));
        if (roll < 45)
            return glide(rng, form, pointOnControl(rng, form));
        if (roll < 52)
            return move(form, QPoint(below(rng, form->width()), below(rng, form->height())));
        if (roll < 74)
            return click(rng, form, pointOnControl(rng, form));
        if (roll < 80)
            return tap(rng, form, pointOnControl(rng, form));
        if (roll < 84)
            return pressAndReleaseElsewhere(rng, form);
        if (roll < 92)
            return key(rng, form);
        if (screen && roll < 94)
            return pokeTheMenu(rng);
        if (screen && roll < 97)
            return closeBox(screen);
        if (!screen && roll >= 97 && chance(rng, 10))
            return closeTheMenu();
        return move(form, pointOnControl(rng, form));
    }

    // Closes a screen left open, as the end of the walk does.
    static void closeOpenScreen() {
        if (Form* screen = openScreen())
            screen->windowHandle()->close();
    }

private:
    // A point of one of the window's visible controls (panels and pictures alike), chosen
    // control first, so that small controls are reached as often as large ones.
    static QPoint pointOnControl(Rng& rng, Form* form) {
        QList<QWidget*> controls;
        for (QWidget* w : form->findChildren<QWidget*>())
            if (w->isVisible() && !w->isWindow() &&
                !w->rect().translated(w->mapTo(form, QPoint())).intersected(form->rect()).isEmpty())
                controls.append(w);
        if (controls.isEmpty())
            return {below(rng, form->width()), below(rng, form->height())};
        QWidget* w = controls[below(rng, int(controls.size()))];
        const QRect r = w->rect().translated(w->mapTo(form, QPoint())).intersected(form->rect());
        return {r.left() + below(rng, r.width()), r.top() + below(rng, r.height())};
    }

    QString move(Form* form, QPoint p) {
        pointTo(form, p);
        return QStringLiteral("move %1,%2 on %3").arg(p.x()).arg(p.y()).arg(controlAt(form, p));
    }

    // A few moves on the way from where the pointer is, as a hand moves.
    QString glide(Rng& rng, Form* form, QPoint to) {
        const QPoint from = form->rect().contains(last_) ? last_ : to;
        const int steps = 2 + below(rng, 6);
        for (int i = 1; i <= steps && form->isVisible(); ++i)
            pointTo(form, from + (to - from) * i / steps);
        return QStringLiteral("glide to %1,%2 on %3")
            .arg(to.x())
            .arg(to.y())
            .arg(controlAt(form, to));
    }

    QString click(Rng& rng, Form* form, QPoint p) {
        const QString target = controlAt(form, p);
        // Quitting ends the program: keep it rare, so the walk spends its time in the screens.
        if (target.endsWith(QLatin1String("/quitter")) && !chance(rng, 5))
            return move(form, p);
        pointTo(form, p);
        QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, p);
        if (target.endsWith(QLatin1String("/quitter")))
            startAgain();
        return QStringLiteral("click %1,%2 on %3").arg(p.x()).arg(p.y()).arg(target);
    }

    // A finger on the screen: no pointer moves before it, it arrives and clicks at once.
    QString tap(Rng& rng, Form* form, QPoint p) {
        static QPointingDevice* const touchscreen = QTest::createTouchDevice();
        const QString target = controlAt(form, p);
        if (target.endsWith(QLatin1String("/quitter")) && !chance(rng, 5))
            return move(form, p);
        touched.insert(target);
        QTest::touchEvent(form->windowHandle(), touchscreen).press(0, p, form->windowHandle());
        QTest::touchEvent(form->windowHandle(), touchscreen).release(0, p, form->windowHandle());
        if (!principale::ficheFamilles->isVisible())
            startAgain();
        return QStringLiteral("tap %1,%2 on %3").arg(p.x()).arg(p.y()).arg(target);
    }

    QString pressAndReleaseElsewhere(Rng& rng, Form* form) {
        const QPoint p = pointOnControl(rng, form), q = pointOnControl(rng, form);
        pointTo(form, p);
        QTest::mousePress(form->windowHandle(), Qt::LeftButton, {}, p);
        pointTo(form, q);
        QTest::mouseRelease(form->windowHandle(), Qt::LeftButton, {}, q);
        if (!principale::ficheFamilles->isVisible())
            startAgain();
        return QStringLiteral("press on %1, release on %2")
            .arg(controlAt(form, p), controlAt(form, q));
    }

    QString key(Rng& rng, Form* form) {
        static const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* name;
        } keys[] = {{Qt::Key_Tab, {}, "Tab"},
                    {Qt::Key_Tab, Qt::ControlModifier, "Ctrl+Tab"},
                    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Tab"},
                    {Qt::Key_Tab, {}, "Tab"},
                    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
                    {Qt::Key_Space, {}, "Space"},
                    {Qt::Key_Right, {}, "Right"},
                    {Qt::Key_Left, {}, "Left"},
                    {Qt::Key_Down, {}, "Down"},
                    {Qt::Key_Up, {}, "Up"},
                    {Qt::Key_Return, {}, "Return"},
                    {Qt::Key_Enter, {}, "Enter"},
                    {Qt::Key_R, {}, "R"},
                    {Qt::Key_Escape, {}, "Escape"}};
        const auto& k = keys[below(rng, int(std::size(keys)))];
        // The window's own focus widget takes the key, even while the window is not active.
        const QWidget* focus = form->focusWidget();
        const QString target = focus ? focus->objectName() + (focus->isVisible() ? "" : " (hidden)")
                                     : QStringLiteral("nothing");
        // Escape on the menu and a click key on its quit picture end the program: keep it rare.
        const bool clickKey =
            k.key == Qt::Key_Space || k.key == Qt::Key_Return || k.key == Qt::Key_Enter;
        const bool quits =
            form == principale::ficheFamilles &&
            (k.key == Qt::Key_Escape || (clickKey && focus == principale::ficheFamilles->quitter));
        if (quits && !chance(rng, 5))
            return QStringLiteral("no key on %1/%2").arg(form->objectName(), target);
        QTest::keyClick(form->windowHandle(), k.key, k.modifiers);
        if (!principale::ficheFamilles->isVisible())
            startAgain();
        return QStringLiteral("key %1 on %2/%3")
            .arg(QLatin1String(k.name), form->objectName(), target);
    }

    // The menu stays on screen behind a screen but must take nothing: not the pointer, not a
    // click on a word, not its close box.
    QString pokeTheMenu(Rng& rng) {
        Form* menu = principale::ficheFamilles;
        Form* before = openScreen();
        const bool panelShown = principale::ficheFamilles->PNinfos->isVisible();
        const QPoint p = pointOnControl(rng, menu);
        last_ = p;
        QTest::mouseMove(menu->windowHandle(), p);
        QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {}, p);
        if (openScreen() != before || !menu->isVisible() ||
            principale::ficheFamilles->PNinfos->isVisible() != panelShown)
            problem =
                QStringLiteral("the menu reacted while %1 was open").arg(before->objectName());
        return QStringLiteral("poke the menu at %1 (%2)")
            .arg(controlAt(menu, p), before->objectName());
    }

    void pointTo(Form* form, QPoint p) {
        touched.insert(controlAt(form, p));
        last_ = p;
        QTest::mouseMove(form->windowHandle(), p);
    }

    static QString closeBox(Form* screen) {
        screen->windowHandle()->close();
        return QStringLiteral("close box of ") + screen->objectName();
    }

    // The menu's close box ends the program as its quit picture does.
    QString closeTheMenu() {
        principale::ficheFamilles->windowHandle()->close();
        if (principale::ficheFamilles->isVisible())
            problem = QStringLiteral("the menu's close box did not end the program");
        else
            startAgain();
        return QStringLiteral("close box of the menu");
    }

    // The program has ended; the next run finds the same screens.
    void startAgain() {
        ++quits;
        principale::ficheFamilles->show();
        if (!QTest::qWaitForWindowExposed(principale::ficheFamilles))
            qWarning("the menu did not come back on screen");
    }

    QPoint last_; // where this walk last put the pointer, in the window it was in
};

} // namespace soak
