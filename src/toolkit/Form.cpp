// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Form: window style, auto-size, centring, modal showing and the close step.
#include "toolkit/Form.h"

#include "toolkit/AccessibleRoles.h"
#include "toolkit/Fonts.h"
#include "toolkit/Guard.h"
#include "toolkit/HeldKeys.h"
#include "toolkit/Placement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QPointer>

Form::Form(const QString& name, const QString& caption, const QColor& colour, int fontHeight)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setObjectName(name);
    setWindowTitle(caption);
    setFont(fonts::sans(fontHeight));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(0, 0);
    accessibleroles::install();
    HeldKeys::install();
}

Form::~Form() = default;

void Form::centre() {
    placement::centreOnPrimaryScreen(this);
}

QSize Form::autoSizeFor() const {
    // The children of every screen start at the origin, so the box's far corner is its size.
    QRect box;
    for (QObject* child : children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && !widget->isHidden())
            box = box.united(widget->geometry());
    }
    return {std::max(box.right() + 1, 0), std::max(box.bottom() + 1, 0)};
}

void Form::applyAutoSize() {
    const QSize wanted = autoSizeFor();
    // Between hiding one view and showing the next no child is visible; Qt would unmap a
    // window of no size, so the window keeps its size until a child shows again.
    if (wanted.isEmpty() && !size().isEmpty())
        return;
    if (wanted != size() || minimumSize() != wanted)
        setFixedSize(wanted); // the top-left corner stays; the window grows right and down
}

void Form::setVisible(bool visible) {
    const bool showing = visible && isHidden();
    if (showing) {
        applyAutoSize();
        // An error box runs its own event loop after the handler has placed the window, and
        // Qt no longer keeps that place for the mapping: the window is placed again.
        if (!guard::run([this] { FormShow(); }))
            centre();
    }
    QWidget::setVisible(visible);
    if (showing) {
        focusFirst();
        // With no window manager nothing activates a window: it takes the keys itself, as soon
        // as it is mapped, whether or not the pointer lies over it.
        activateWindow();
    }
}

Form* Form::mainForm() {
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(window); form && form->mainForm_)
            return form;
    return nullptr;
}

// Each showing starts with the frame on the first control the keyboard reaches, so that arrows
// and Enter act at once. The program put it there: a picture is not arrived on and stays silent.
void Form::focusFirst() {
    focusFirstIn(this);
}

void Form::focusFirstIn(QWidget* part) {
    QWidget* first = part->nextInFocusChain();
    while (first != part && !(part->isAncestorOf(first) && first->focusPolicy() & Qt::TabFocus &&
                              first->isVisibleTo(this) && first->isEnabled()))
        first = first->nextInFocusChain();
    if (first == part)
        setFocus(Qt::OtherFocusReason);
    else
        first->setFocus(Qt::OtherFocusReason);
}

int Form::showModal() {
    if (loop_ || isVisible())
        return mrNone;
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QPointer<QWidget> previous = QApplication::activeWindow();
    setWindowModality(Qt::ApplicationModal);
    modalResult_ = mrNone;

    QEventLoop loop;
    loop_ = &loop;
    show();
    raise();
    activateWindow();
    if (modalResult_ == mrNone)
        loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;

    hide();
    // The window that opened this one takes the keys back; when none was active (no window
    // manager had activated it), the main form does.
    if (QWidget* back = previous ? previous.data() : mainForm(); back && back->isVisible())
        back->activateWindow();
    return modalResult_;
}

bool Form::runCloseHandler() {
    CloseAction action = CloseAction::caHide;
    return guard::run([this, &action] { FormClose(action); }) && action == CloseAction::caHide;
}

void Form::closeStep() {
    if (!runCloseHandler()) {
        modalResult_ = mrNone;
        return;
    }
    if (loop_)
        loop_->quit();
}

void Form::takeFocusFrom(QWidget* part) {
    if (QWidget* focused = focusWidget(); focused && part->isAncestorOf(focused))
        setFocus(Qt::OtherFocusReason);
}

void Form::keyPressEvent(QKeyEvent* event) {
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if (event->key() == Qt::Key_Escape) {
        close();
    } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && button &&
               button->isVisible() && button->isEnabled() && !event->isAutoRepeat()) {
        button->click();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Form::closeEvent(QCloseEvent* event) {
    if (loop_) {
        // A close request only sets the result; the close step decides.
        event->ignore();
        modalResult_ = mrCancel;
        closeStep();
        return;
    }
    // Shown without a modal loop: the main window ends the program; another screen hides.
    if (!runCloseHandler()) {
        event->ignore();
        return;
    }
    event->accept();
    if (mainForm_)
        QCoreApplication::quit();
}

void Form::childEvent(QChildEvent* event) {
    QWidget::childEvent(event);
    if (event->added() && event->child()->isWidgetType())
        event->child()->installEventFilter(this);
}

bool Form::eventFilter(QObject* watched, QEvent* event) {
    if (watched->parent() == this) {
        switch (event->type()) {
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::Move:
        case QEvent::Resize:
            applyAutoSize();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
