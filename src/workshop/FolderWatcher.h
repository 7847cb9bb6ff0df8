// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Notices changes another writer makes to a set's folders, gathered into one signal.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

class FolderWatcher : public QObject {
    Q_OBJECT
public:
    // Watches root and its subfolders; a burst of changes gives one changed() after a short wait.
    explicit FolderWatcher(const QString& root, QObject* parent = nullptr);

signals:
    void changed();

private:
    void watchFolders();

    QString root_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
};
