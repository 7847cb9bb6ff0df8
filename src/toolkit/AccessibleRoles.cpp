// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The accessibility factory for image controls, picture buttons, tab controls and forms.
#include "toolkit/AccessibleRoles.h"

#include "toolkit/AccessibleTabRow.h"
#include "toolkit/Form.h"
#include "toolkit/ImageControl.h"
#include "toolkit/SpeedButton.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QTabBar>
#include <QTabWidget>

namespace accessibleroles {

namespace {

// The role follows the control: the review's pictures only show families before a round and
// are picked during one. A picture that acts can be pressed, as a button is.
class AccessibleImage : public QAccessibleWidget {
public:
    explicit AccessibleImage(ImageControl* image)
        : QAccessibleWidget(image, QAccessible::Graphic) {}

    QAccessible::Role role() const override {
        return widget()->focusPolicy() & Qt::TabFocus ? QAccessible::Button : QAccessible::Graphic;
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (acts())
            names.prepend(pressAction());
        return names;
    }

    // The click runs from the event loop, after the bus has had its answer: it may open a screen
    // that runs a loop of its own until it closes.
    void doAction(const QString& action) override {
        if (action != pressAction() || !acts()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        QMetaObject::invokeMethod(static_cast<ImageControl*>(widget()), &ImageControl::click,
                                  Qt::QueuedConnection);
    }

private:
    // A window behind a screen or a message box takes no clicks, nor presses.
    bool acts() const {
        const QWidget* modal = QApplication::activeModalWidget();
        return widget()->focusPolicy() & Qt::TabFocus && widget()->isEnabled() &&
               (!modal || modal == widget()->window());
    }
};

// One of a pair of which exactly one is pressed, not a box to tick.
class AccessibleRadioButton : public QAccessibleWidget {
public:
    explicit AccessibleRadioButton(SpeedButton* button)
        : QAccessibleWidget(button, QAccessible::RadioButton) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = static_cast<const SpeedButton*>(widget())->isChecked();
        return state;
    }
};

// A row of tabs hands the keyboard to its tab row: a screen reader is told of the focus on the
// current tab alone, not on the whole control that holds the pages too.
class AccessibleTabControl : public QAccessibleWidget {
public:
    explicit AccessibleTabControl(QTabWidget* tabs)
        : QAccessibleWidget(tabs, QAccessible::Client) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focused = false;
        return state;
    }
};

QAccessibleInterface* factory(const QString&, QObject* object) {
    if (auto* image = qobject_cast<ImageControl*>(object))
        return new AccessibleImage(image);
    if (auto* button = qobject_cast<SpeedButton*>(object))
        return new AccessibleRadioButton(button);
    if (auto* tabs = qobject_cast<QTabWidget*>(object))
        return new AccessibleTabControl(tabs);
    if (auto* row = qobject_cast<QTabBar*>(object))
        return new AccessibleTabRow(row);
    if (auto* form = qobject_cast<Form*>(object))
        return new QAccessibleWidget(form, QAccessible::Window);
    return nullptr;
}

} // namespace

void install() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    Q_UNUSED(installed)
}

} // namespace accessibleroles
