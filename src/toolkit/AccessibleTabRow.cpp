// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// AccessibleTabRow: the row's tabs as children, the focus on the current one.
#include "toolkit/AccessibleTabRow.h"

#include <QPointer>
#include <QTabBar>

namespace {

// One tab: its caption, its place, selected when current, focused when current in a row that has
// the keyboard.
class AccessibleTab : public QAccessibleInterface {
public:
    AccessibleTab(QTabBar* row, int index) : row_(row), index_(index) {}

    bool isValid() const override { return row_ && index_ < row_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return row_ ? row_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(row_);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    // The description is the tab's data, as the program set it: what the page it turns says.
    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Description)
            return row_->tabData(index_).toString();
        return t == QAccessible::Name ? row_->tabText(index_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect tab = row_->tabRect(index_);
        return {row_->mapToGlobal(tab.topLeft()), tab.size()};
    }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid())
            return state;
        const bool current = index_ == row_->currentIndex();
        state.focusable = state.selectable = true;
        state.selected = current;
        state.focused = current && row_->hasFocus();
        state.invisible = !row_->isVisible();
        return state;
    }

private:
    QPointer<QTabBar> row_;
    int index_;
};

} // namespace

AccessibleTabRow::AccessibleTabRow(QTabBar* row)
    : QAccessibleWidget(row, QAccessible::PageTabList) {}

AccessibleTabRow::~AccessibleTabRow() {
    for (QAccessible::Id id : tabs_)
        QAccessible::deleteAccessibleInterface(id);
}

QTabBar* AccessibleTabRow::row() const {
    return static_cast<QTabBar*>(widget());
}

// The row hands the focus to its current tab.
QAccessible::State AccessibleTabRow::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.focused = false;
    return state;
}

int AccessibleTabRow::childCount() const {
    return row()->count();
}

QAccessibleInterface* AccessibleTabRow::child(int index) const {
    if (index < 0 || index >= row()->count())
        return nullptr;
    while (int(tabs_.size()) <= index)
        tabs_.push_back(
            QAccessible::registerAccessibleInterface(new AccessibleTab(row(), int(tabs_.size()))));
    return QAccessible::accessibleInterface(tabs_[size_t(index)]);
}

int AccessibleTabRow::indexOfChild(const QAccessibleInterface* child) const {
    for (size_t i = 0; i < tabs_.size(); ++i)
        if (QAccessible::accessibleInterface(tabs_[i]) == child)
            return int(i) < row()->count() ? int(i) : -1;
    return -1;
}

QAccessibleInterface* AccessibleTabRow::childAt(int x, int y) const {
    return child(row()->tabAt(row()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* AccessibleTabRow::focusChild() const {
    return row()->hasFocus() ? child(row()->currentIndex()) : nullptr;
}
