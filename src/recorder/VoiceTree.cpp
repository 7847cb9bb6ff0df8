// Drops are taken only on a voice's row and only for one local file.
#include "recorder/VoiceTree.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTreeWidgetItemIterator>

namespace {

QString droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls()[0].isLocalFile())
        return {};
    return mime->urls()[0].toLocalFile();
}

} // namespace

VoiceTree::VoiceTree(QWidget* parent) : QTreeWidget(parent) {
    setAcceptDrops(true);
    setDropIndicatorShown(false);
}

QTreeWidgetItem* VoiceTree::itemOf(const QString& voiceName) const {
    for (QTreeWidgetItemIterator it(const_cast<VoiceTree*>(this)); *it; ++it)
        if ((*it)->data(0, nameRole).toString() == voiceName)
            return *it;
    return nullptr;
}

QString VoiceTree::voiceAt(const QPoint& position) const {
    const QTreeWidgetItem* item = itemAt(position);
    return item ? item->data(0, nameRole).toString() : QString();
}

void VoiceTree::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void VoiceTree::dragMoveEvent(QDragMoveEvent* event) {
    if (!droppedFile(event->mimeData()).isEmpty() &&
        !voiceAt(event->position().toPoint()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void VoiceTree::dropEvent(QDropEvent* event) {
    const QString voice = voiceAt(event->position().toPoint());
    const QString file = droppedFile(event->mimeData());
    if (voice.isEmpty() || file.isEmpty())
        return event->ignore();
    event->acceptProposedAction();
    emit fileDropped(voice, file);
}
