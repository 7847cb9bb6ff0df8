// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Answers every message box as it appears, recording what it showed.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QVector>

struct ShownDialog {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QStringList buttons;
};

class DialogWatcher : public QObject {
public:
    DialogWatcher();
    ~DialogWatcher() override;

    const QVector<ShownDialog>& shown() const { return shown_; }
    int count() const { return int(shown_.size()); }
    const ShownDialog& last() const { return shown_.constLast(); }
    QStringList texts() const;
    void clear() { shown_.clear(); }

    // Called when a dialog appears, before it is answered (to look at the screens behind it).
    std::function<void(const ShownDialog&)> onShown;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVector<ShownDialog> shown_;
};
