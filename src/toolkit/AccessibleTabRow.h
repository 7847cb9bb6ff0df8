// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What screen readers are told of a row of tabs: a list of page tabs, of which the current one
// alone has the focus while the row has the keyboard, each described by its data.
#pragma once

#include <QAccessibleWidget>
#include <vector>

class QTabBar;

class AccessibleTabRow : public QAccessibleWidget {
public:
    explicit AccessibleTabRow(QTabBar* row);
    ~AccessibleTabRow() override;

    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;

private:
    QTabBar* row() const;

    mutable std::vector<QAccessible::Id> tabs_; // one interface per tab, made as it is asked for
};
