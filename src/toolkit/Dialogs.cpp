// Message boxes built on QMessageBox, with the program's titles and single "OK" button.
#include "toolkit/Dialogs.h"

#include "toolkit/Placement.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

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

void runBox(QMessageBox::Icon icon, const QString& title, const QString& text) {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    CentredMessageBox box(icon, title, text, QMessageBox::NoButton);
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
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
