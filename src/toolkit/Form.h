// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A screen's window: fixed frame with a close box only, sized to its visible children, centred
// by its show handler, shown modally from the menu with a close step that may keep it open; it
// takes the keyboard when it shows, with or without a window manager.
#pragma once

#include <QColor>
#include <QWidget>

class QEventLoop;

class Form : public QWidget {
    Q_OBJECT
public:
    enum class CloseAction { caNone, caHide };
    enum ModalResult { mrNone = 0, mrCancel = 2 };

    Form(const QString& name, const QString& caption, const QColor& colour, int fontHeight);
    ~Form() override;

    // Shows the form modally and returns once it has been closed again; every other window of
    // the program takes no input meanwhile. A form already showing is not opened again.
    int showModal();
    bool isShowingModally() const { return loop_ != nullptr; }
    int modalResult() const { return modalResult_; }

    // Places the window's outer rectangle, frame and title bar included, at the centre of the
    // primary display; before the first showing too.
    void centre();
    // The client size that the visible direct children call for.
    QSize autoSizeFor() const;

    // The main form's close request ends the program instead of hiding it.
    void setMainForm(bool on) { mainForm_ = on; }
    // The main form, if one is made; the window that takes the keys back when none other does.
    static Form* mainForm();

    void setVisible(bool visible) override;
    // Gives the focus back to the window itself when it lies in `part`, which is about to be
    // hidden: Qt would otherwise pass it on as if the child had pressed Tab.
    void takeFocusFrom(QWidget* part);
    // Puts the frame on the first control of `part` that the keyboard reaches, silently; on the
    // window itself when there is none.
    void focusFirstIn(QWidget* part);

protected:
    // Handlers: the show handler runs before the window becomes visible; the close handler may
    // set the action to caNone to keep the window open. Errors in either reach the error box.
    virtual void FormShow() {}
    virtual void FormClose(CloseAction& action) { Q_UNUSED(action) }

    // Escape closes the window as its close box does; Enter presses the focused button.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void childEvent(QChildEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyAutoSize();
    void focusFirst();
    bool runCloseHandler(); // whether the window may close
    void closeStep();

    QEventLoop* loop_ = nullptr;
    int modalResult_ = mrNone;
    bool mainForm_ = false;
};
