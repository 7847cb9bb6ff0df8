// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Drops are taken only on a voice's row and only for one local file.
#include "workshop/VoiceTree.h"

#include "assets/Catalogue.h"
#include "assets/VoiceTexts.h"
#include "sets/SetFolder.h"
#include "workshop/VoicePictures.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>

namespace {

const QString ownVoice = QStringLiteral("votz vòstra");
const QString syntheticVoice = QStringLiteral("votz sintetica");
constexpr QSize rowIcon(72, 50);

QString droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1 || !mime->urls()[0].isLocalFile())
        return {};
    return mime->urls()[0].toLocalFile();
}

} // namespace

VoiceTree::VoiceTree(QWidget* parent) : QTreeWidget(parent) {
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    setColumnCount(2);
    setHeaderHidden(true);
    setIconSize(rowIcon);
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setWordWrap(true);
}

void VoiceTree::fill(const VoiceTexts& texts, const SetFolder& folder) {
    const QStringList& names = SetFolder::voiceNames();
    for (int family = 1; family <= catalogue::familyCount; ++family) {
        const int title = catalogue::titleNumber(family);
        QTreeWidgetItem* head = addVoice(nullptr, names.at(title - 1), texts, folder);
        for (int card : catalogue::familyCards(family))
            addVoice(head, names.at(card - 1), texts, folder);
        head->setExpanded(true);
    }
    auto* album = new QTreeWidgetItem(this, {QStringLiteral("L'album")});
    album->setFlags(Qt::ItemIsEnabled);
    for (int page = 1; page <= catalogue::albumPageCount; ++page)
        addVoice(album, names.at(catalogue::lastCardNumber + page - 1), texts, folder);
    album->setExpanded(true);
    // The game's phrases, which a set made before the game has not: their voices are the
    // installed set's until the class records its own.
    auto* phrases = new QTreeWidgetItem(this, {QStringLiteral("Las frasas del jòc")});
    phrases->setFlags(Qt::ItemIsEnabled);
    for (const QString& name : catalogue::phraseVoiceNames()) {
        addVoice(phrases, name, texts, folder);
        showOwn(name, folder.isOwn(name));
    }
    phrases->setExpanded(true);
}

QTreeWidgetItem* VoiceTree::addVoice(QTreeWidgetItem* parent, const QString& name,
                                     const VoiceTexts& texts, const SetFolder& folder) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    const QString text = texts.textOf(name);
    item->setText(0, text);
    item->setToolTip(0, text);
    item->setData(0, nameRole, name);
    item->setIcon(0,
                  QIcon(voicepictures::load(folder, voicepictures::rowPictureOf(name), rowIcon)));
    items_.insert(name, item);
    return item;
}

void VoiceTree::showOwn(const QString& voiceName, bool own) {
    if (QTreeWidgetItem* item = itemOf(voiceName))
        item->setText(1, own ? ownVoice : syntheticVoice);
}

QTreeWidgetItem* VoiceTree::itemOf(const QString& voiceName) const {
    return items_.value(voiceName);
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
