// The recorder's window: the voices' list, the picture the child sees, recording and its take.
#pragma once

#include "assets/VoiceTexts.h"
#include "audio/MediaPlayerMP3.h"
#include "voices/VoiceCapture.h"
#include "voices/VoiceFolder.h"

#include <QByteArray>
#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeWidgetItem;
class VoiceTree;

class RecorderWindow : public QWidget {
    Q_OBJECT
public:
    explicit RecorderWindow(std::unique_ptr<VoiceFolder> folder, QWidget* parent = nullptr);
    ~RecorderWindow() override;

    // For tests and tools.
    QString currentVoice() const { return current_; }
    bool hasTake() const { return !take_.isEmpty(); }
    const VoiceCapture& capture() const { return capture_; }
    const MediaPlayerMP3& player() const { return player_; }
    // Imports a file as a voice, as a drop on its row does.
    void importInto(const QString& voiceName, const QString& file);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildList();
    QTreeWidgetItem* addVoice(QTreeWidgetItem* parent, const QString& name, const QString& text,
                              const QString& picture);
    void select(const QString& voiceName);
    void recordClick();
    void startRecording();
    void stopRecording();
    void listenClick();
    void keepClick();
    void againClick();
    void undoClick();
    void defaultClick();
    void importClick();
    void tick();
    void dropTake();
    void refresh();
    void refreshRow(const QString& voiceName);
    void showMessage(const QString& text, bool error = false);
    // Runs a handler, showing any error in the window instead of letting it reach the event loop.
    void guarded(const std::function<void()>& handler);
    QString stagedPath() const;

    std::unique_ptr<VoiceFolder> folder_;
    VoiceTexts texts_;
    VoiceCapture capture_;
    MediaPlayerMP3 player_;
    QString current_;
    QByteArray take_;

    VoiceTree* list_;
    QLabel* count_;
    QLabel* picture_;
    QLabel* text_;
    QLabel* recordingSign_;
    QProgressBar* meter_;
    QPushButton* record_;
    QPushButton* listen_;
    QPushButton* keep_;
    QPushButton* again_;
    QPushButton* undo_;
    QPushButton* defaultVoice_;
    QPushButton* import_;
    QLabel* message_;
    QTimer* timer_;
};
