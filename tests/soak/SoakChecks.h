// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The soak's invariants, checked after every action once its consequences have settled: one
// screen at most over the menu, the menu blocked while it is open, the windows at their sizes,
// every message box answered and worded as the program words them, the screens' own rules.
#pragma once

#include "screens/TablePlaces.h"
#include "soak/SoakActions.h"
#include "support/DialogWatcher.h"
#include "toolkit/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

#include <functional>

namespace soak {

class Checks {
public:
    // The screens' own rules (narration, board, explorer view), checked after the common ones.
    std::function<QString()> screenRules;
    int errorBoxes = 0;
    int messages = 0;

    Checks(Actions& actions, DialogWatcher& dialogs, bool errorsExpected)
        : actions_(actions), dialogs_(dialogs), errorsExpected_(errorsExpected) {}

    QString operator()() {
        Form* menu = principale::ficheFamilles;
        if (!menu->isVisible())
            return QStringLiteral("the menu is not on screen");
        if (menu->size() != QSize(401, 550))
            return sizeProblem(menu);
        QList<Form*> open;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<Form*>(w); form && form != menu && form->isVisible())
                open.append(form);
        if (open.size() > 1)
            return QStringLiteral("%1 screens open over the menu").arg(open.size());
        QWidget* modal = QApplication::activeModalWidget();
        if (open.isEmpty() && modal)
            return QStringLiteral("a modal window with no screen open: ") + modal->objectName();
        if (!open.isEmpty()) {
            if (modal != open.first())
                return QStringLiteral("the menu is not blocked while %1 is open")
                    .arg(open.first()->objectName());
            if (!expectedSizes(open.first()->objectName()).contains(open.first()->size()))
                return sizeProblem(open.first());
        }
        if (!actions_.problem.isEmpty())
            return actions_.problem;
        if (const QString problem = dialogProblem(); !problem.isEmpty())
            return problem;
        return screenRules ? screenRules() : QString();
    }

    static QList<QSize> expectedSizes(const QString& form) {
        if (form == QLatin1String("album"))
            return {{761, 561}};
        if (form == QLatin1String("Ffamilles"))
            return {{689, 529}, {689, 577}};
        if (form == QLatin1String("revisions"))
            return {{793, 321}};
        if (form == QLatin1String("jeu")) { // three rows of the hand, more for a larger hand
            QList<QSize> sizes;
            for (int rows = tableplaces::handRowsShown;
                 rows * tableplaces::handColumns <= tableplaces::handCapacity; ++rows)
                sizes << tableplaces::tableRect.size() +
                             QSize(0, (rows - tableplaces::handRowsShown) *
                                          tableplaces::cell.height());
            return sizes;
        }
        return {{401, 550}};
    }

private:
    static QString sizeProblem(Form* form) {
        return QStringLiteral("%1 is %2x%3")
            .arg(form->objectName())
            .arg(form->width())
            .arg(form->height());
    }

    // The boxes shown since the last check: the review's three messages, and the error box only
    // when the assets are damaged. The record is emptied, so that it does not grow with the walk.
    QString dialogProblem() {
        for (const ShownDialog& d : dialogs_.shown()) {
            if (d.buttons != QStringList{QStringLiteral("OK")})
                return QStringLiteral("a box with the buttons ") + d.buttons.join(QLatin1Char(','));
            const bool review =
                (d.title == QLatin1String("Erreur") && d.icon == QMessageBox::Critical &&
                 (d.text == QLatin1String("Faus") ||
                  d.text == QLatin1String("n'avetz pas seleccionat arren."))) ||
                (d.title == QLatin1String("Information") && d.text == QLatin1String("Exacte") &&
                 d.icon == QMessageBox::Information);
            const bool error = d.title == QApplication::applicationName() &&
                               d.icon == QMessageBox::Critical && !d.text.isEmpty() &&
                               dialogs::withFullStop(d.text) == d.text;
            if (review)
                ++messages;
            else if (error && errorsExpected_)
                ++errorBoxes;
            else
                return QStringLiteral("unexpected box \"%1\": %2").arg(d.title, d.text);
        }
        dialogs_.clear();
        return {};
    }

    Actions& actions_;
    DialogWatcher& dialogs_;
    bool errorsExpected_;
};

} // namespace soak
