// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder's right pane: the voice's picture and words, the take's controls and the message.
#pragma once

#include <QWidget>

class PictureView;
class QLabel;
class QProgressBar;
class QPushButton;
class RecordingSession;
class TakeView;

class TakePanel : public QWidget {
    Q_OBJECT
public:
    explicit TakePanel(QWidget* parent = nullptr);

    void showVoice(const QPixmap& picture, const QString& text);
    // The buttons and signs as the session's state allows them.
    void showSession(const RecordingSession& session);
    void showLevel(double level);

    PictureView* picture() const { return picture_; }
    QPushButton* record() const { return record_; }
    QPushButton* listen() const { return listen_; }
    QPushButton* keep() const { return keep_; }
    QPushButton* again() const { return again_; }
    QPushButton* undo() const { return undo_; }
    QPushButton* defaultVoice() const { return defaultVoice_; }
    QPushButton* import() const { return import_; }
    // A family's name and words, or the album's pages from this one, heard in a row.
    QPushButton* family() const { return family_; }
    TakeView* takeView() const { return takeView_; }

private:
    PictureView* picture_;
    QLabel* text_;
    QLabel* recordingSign_;
    QProgressBar* meter_;
    TakeView* takeView_;
    QPushButton* record_;
    QPushButton* listen_;
    QPushButton* keep_;
    QPushButton* again_;
    QPushButton* undo_;
    QPushButton* defaultVoice_;
    QPushButton* import_;
    QPushButton* family_;
    QLabel* message_;
};
