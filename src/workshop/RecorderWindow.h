// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder's window: the voices' list beside the take's pane. It shows a RecordingSession
// and forwards the teacher's gestures to it.
#pragma once

#include "assets/VoiceTexts.h"
#include "workshop/RecordingSession.h"

#include <QWidget>
#include <functional>
#include <memory>

class FolderWatcher;
class QLabel;
class QShortcut;
class QSplitter;
class QTimer;
class SetBar;
class TakePanel;
class VoiceTree;

class RecorderWindow : public QWidget {
    Q_OBJECT
public:
    explicit RecorderWindow(std::unique_ptr<SetFolder> folder, QWidget* parent = nullptr);
    ~RecorderWindow() override;

    const RecordingSession& session() const { return session_; }
    // Imports a file as a voice, as a drop on its row does.
    void importInto(const QString& voiceName, const QString& file);

private:
    QSplitter* layOut();
    void connectGestures();
    // The preferred size, or less on a small screen, leaving room for the window's frame.
    void fitScreen(QSplitter* splitter);
    void select(const QString& voiceName);
    void showVoice(const QString& voiceName);
    void importClick();
    void connectSetBar();
    void wordClick();
    void watchFolder();
    // The game plays the set an import would replace: the teacher waits or gives up.
    bool askWhileGameOpen();
    // The set swapped in or back is new folders: the watcher follows them.
    void followNewSet();
    // The row a sitting is at, selected and shown.
    void showSittingRow();
    // The row's pictures are drawn again: the list's and the pane's.
    void showPictures();
    // Runs a step of the session, then shows where it left the session.
    void forward(const std::function<void()>& step);
    void showSession();

    RecordingSession session_;
    VoiceTexts texts_;
    VoiceTree* list_;
    QLabel* count_;
    TakePanel* panel_;
    QTimer* meterTimer_;
    QShortcut* stop_;
    QShortcut* cancel_;
    QShortcut* keepDoubtful_;
    FolderWatcher* watcher_;
    SetBar* setBar_;
};
