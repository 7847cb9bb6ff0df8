// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The list of the 73 voices, grouped as the game shows them, taking sound files dropped on a row.
#pragma once

#include <QHash>
#include <QTreeWidget>

class SetFolder;
class VoiceTexts;

class VoiceTree : public QTreeWidget {
    Q_OBJECT
public:
    // The voice name ("sons_familles/6.mp3") a row stands for, in this role of column 0.
    static constexpr int nameRole = Qt::UserRole;

    explicit VoiceTree(QWidget* parent = nullptr);
    // One row per voice, with its words and its small picture.
    void fill(const VoiceTexts& texts, const SetFolder& folder);
    void showOwn(const QString& voiceName, bool own);
    QTreeWidgetItem* itemOf(const QString& voiceName) const;

signals:
    void fileDropped(const QString& voiceName, const QString& file);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QString voiceAt(const QPoint& position) const;
    QTreeWidgetItem* addVoice(QTreeWidgetItem* parent, const QString& name, const VoiceTexts& texts,
                              const SetFolder& folder);

    QHash<QString, QTreeWidgetItem*> items_;
};
