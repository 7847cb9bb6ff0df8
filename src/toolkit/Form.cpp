// Form: window style, auto-size, centring, modal showing and the close step.
#include "toolkit/Form.h"

#include "toolkit/Fonts.h"
#include "toolkit/Guard.h"
#include "toolkit/Placement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
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
    if (visible && isHidden()) {
        applyAutoSize();
        guard::run([this] { FormShow(); });
    }
    QWidget::setVisible(visible);
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
    if (previous)
        previous->activateWindow();
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
