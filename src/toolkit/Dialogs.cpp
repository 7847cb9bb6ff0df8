// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes built on QMessageBox, with the program's titles and single "OK" button.
#include "toolkit/Dialogs.h"

#include "toolkit/FocusOverlay.h"
#include "toolkit/HeldKeys.h"
#include "toolkit/Placement.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include <algorithm>

namespace dialogs {

namespace {

// A message box centred on the display by its outer frame, not over the active window. Its
// size is only settled by its own show event, just before it is mapped.
class CentredMessageBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        placement::centreOnPrimaryScreen(this);
    }
};

// Window managers draw titles in a bold face, often larger than the program's text, beside an
// icon and up to four title-bar buttons; Qt only leaves the title its own width and 50 pixels.
constexpr qreal titlePointSize = 11;
constexpr int titleBarRoom = 130;

int widthForTitle(const QString& title) {
    QFont font = QApplication::font();
    font.setBold(true);
    font.setPointSizeF(std::max(font.pointSizeF(), titlePointSize));
    return QFontMetrics(font).horizontalAdvance(title) + titleBarRoom;
}

// The box takes the width of its layout: a row of no height holds it wide enough for the title.
void keepTitleVisible(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(widthForTitle(box.windowTitle()), 0, QSizePolicy::Fixed,
                                  QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

void runBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    HeldKeys::install(); // the key that brought the box up must not close it
    const QPointer<QWidget> previous = QApplication::activeWindow();
    CentredMessageBox box(icon, title, text, QMessageBox::NoButton);
    keepTitleVisible(box);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    // Enter and Space close the box: the keyboard's frame says so on its one button.
    FocusOverlay::follow(ok, [](const QWidget* button) { return button->rect(); });
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
    // With no window manager the keys would stay with the box's vanished window.
    if (previous && previous->isVisible())
        previous->activateWindow();
}

} // namespace

QString withFullStop(const QString& message) {
    if (message.isEmpty() || message.back().unicode() <= '.')
        return message;
    return message + QLatin1Char('.');
}

void showErrorBox(const QString& message) {
    runBox(QMessageBox::Critical, QApplication::applicationName(), withFullStop(message));
}

void messageDlg(const QString& text, Kind kind) {
    if (kind == Kind::Error)
        runBox(QMessageBox::Critical, QStringLiteral("Erreur"), text);
    else
        runBox(QMessageBox::Information, QStringLiteral("Information"), text);
}

} // namespace dialogs
