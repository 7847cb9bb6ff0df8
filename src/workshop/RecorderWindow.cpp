// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The window fits small classroom screens: the list and the pane share the width through a
// splitter, the picture shrinks to the room left, and no size is fixed.
#include "workshop/RecorderWindow.h"

#include "assets/Catalogue.h"
#include "workshop/FolderWatcher.h"
#include "workshop/PictureView.h"
#include "workshop/PrintDeckDialog.h"
#include "workshop/RecorderIdentity.h"
#include "workshop/SetBar.h"
#include "workshop/SetCommands.h"
#include "workshop/TakePanel.h"
#include "workshop/VoicePictures.h"
#include "workshop/VoiceTree.h"
#include "workshop/WordCommands.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr QSize preferredSize(980, 700);
// Room left around the window for a window manager's frame and a panel.
constexpr QSize frameAllowance(40, 80);
// The list keeps room for a row's picture, its words and whose voice it is.
constexpr int listMinimumWidth = 300;
constexpr int listShare = 2;
constexpr int paneShare = 3;
constexpr int meterIntervalMs = 30;
// In a sitting the end of a word is looked for this often, so the next row follows the silence
// closely (with SDL's 21 ms capture blocks, well under 50 ms).
constexpr int sittingIntervalMs = 10;

} // namespace

RecorderWindow::RecorderWindow(std::unique_ptr<SetFolder> folder, QWidget* parent)
    : QWidget(parent), session_(std::move(folder)),
      texts_(wordcommands::textsOf(session_.folder())), list_(new VoiceTree(this)),
      count_(new QLabel(this)), panel_(new TakePanel(this)), meterTimer_(new QTimer(this)),
      stop_(new QShortcut(Qt::Key_Space, this)), cancel_(new QShortcut(Qt::Key_Escape, this)),
      keepDoubtful_(new QShortcut(Qt::Key_Return, this)),
      watcher_(new FolderWatcher(session_.folder().root(), this)), setBar_(new SetBar(this)) {
    setWindowTitle(recorderidentity::title);
    list_->setObjectName(QStringLiteral("lstVotz"));
    count_->setObjectName(QStringLiteral("LBcompte"));
    list_->fill(texts_, session_.folder());
    QSplitter* splitter = layOut();
    connectGestures();
    connectSetBar();
    meterTimer_->setInterval(meterIntervalMs);
    fitScreen(splitter);
    list_->setCurrentItem(list_->topLevelItem(0));
    showSession();
}

RecorderWindow::~RecorderWindow() = default;

QSplitter* RecorderWindow::layOut() {
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins({});
    leftLayout->addWidget(count_);
    leftLayout->addWidget(list_);
    leftLayout->addWidget(setBar_);
    left->setMinimumWidth(listMinimumWidth);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(left);
    splitter->addWidget(panel_);
    splitter->setChildrenCollapsible(false);
    splitter->setStretchFactor(0, listShare);
    splitter->setStretchFactor(1, paneShare);
    (new QHBoxLayout(this))->addWidget(splitter);
    return splitter;
}

void RecorderWindow::connectGestures() {
    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        select(item ? item->data(0, VoiceTree::nameRole).toString() : QString());
    });
    connect(list_, &VoiceTree::fileDropped, this, &RecorderWindow::importInto);
    const std::pair<QPushButton*, void (RecordingSession::*)()> steps[] = {
        {panel_->record(), &RecordingSession::toggleRecording},
        {panel_->listen(), &RecordingSession::listen},
        {panel_->keep(), &RecordingSession::keep},
        {panel_->again(), &RecordingSession::again},
        {panel_->undo(), &RecordingSession::undo},
        {panel_->defaultVoice(), &RecordingSession::restoreDefault}};
    for (const auto& [button, step] : steps)
        connect(button, &QPushButton::clicked, this,
                [this, step = step] { forward([this, step] { (session_.*step)(); }); });
    connect(panel_->import(), &QPushButton::clicked, this, &RecorderWindow::importClick);
    connect(panel_->family(), &QPushButton::clicked, this,
            [this] { forward([this] { session_.listenFamily(); }); });
    // Space stops a take wherever the focus is; Escape drops it.
    connect(stop_, &QShortcut::activated, this,
            [this] { forward([this] { session_.stopRecording(); }); });
    connect(cancel_, &QShortcut::activated, this,
            [this] { forward([this] { session_.cancel(); }); });
    // Enter keeps a sitting's doubtful take all the same.
    connect(keepDoubtful_, &QShortcut::activated, this, [this] {
        forward([this] { session_.keepDoubtful(); });
        showSittingRow();
    });
    connect(meterTimer_, &QTimer::timeout, this, [this] {
        panel_->showLevel(session_.meterLevel());
        if (session_.inSitting()) {
            const QString before = session_.current();
            forward([this] { session_.tick(); });
            if (session_.current() != before)
                showSittingRow();
        } else if (session_.capture().isFull()) {
            forward([this] { session_.tick(); });
        }
    });
    watchFolder();
}

void RecorderWindow::connectSetBar() {
    connect(setBar_, &SetBar::pictureChosen, this, [this](const QString& file, bool whole) {
        forward([&] {
            session_.changeSet([&](SetFolder& folder) {
                return setcommands::makePicture(folder, file, session_.current(), whole);
            });
        });
        showPictures();
    });
    connect(setBar_->word(), &QPushButton::clicked, this, &RecorderWindow::wordClick);
    connect(setBar_->undoPicture(), &QPushButton::clicked, this, [this] {
        forward([this] {
            session_.changeSet([this](SetFolder& folder) {
                return setcommands::restorePictures(folder, session_.current(), true);
            });
        });
        showPictures();
    });
    const auto startSitting = [this] {
        forward([this] { session_.startSitting(setBar_->skipRecorded()->isChecked()); });
        showSittingRow();
    };
    connect(setBar_->sitting(), &QPushButton::clicked, this, startSitting);
    const auto printDeck = [this] {
        PrintDeckDialog dialog(session_.folder(), this);
        dialog.exec();
    };
    connect(setBar_->print(), &QPushButton::clicked, this, printDeck);
    connect(new QShortcut(QKeySequence::Print, this), &QShortcut::activated, this, printDeck);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), this),
            &QShortcut::activated, this, startSitting);
    // Space redoes the previous row of a sitting: the row shown changes.
    connect(stop_, &QShortcut::activated, this, [this] {
        if (session_.sitting())
            showSittingRow();
    });
    connect(setBar_, &SetBar::exportChosen, this, [this](const QString& file) {
        forward([&] {
            session_.changeSet(
                [&](SetFolder& folder) { return setcommands::exportSet(folder.root(), file); });
        });
    });
    connect(setBar_, &SetBar::importChosen, this, [this](const QString& file) {
        forward([&] {
            session_.changeSet([&](SetFolder& folder) {
                return setcommands::importSet(folder.root(), file, folder.defaultSet(),
                                              [this] { return askWhileGameOpen(); });
            });
        });
        followNewSet();
    });
    for (QPushButton* stepButton : {setBar_->undoImport(), setBar_->redoImport()})
        connect(stepButton, &QPushButton::clicked, this, [this, stepButton] {
            const auto step = stepButton == setBar_->undoImport() ? &setcommands::undoImport
                                                                  : &setcommands::redoImport;
            forward([&] {
                session_.changeSet([&](SetFolder& folder) {
                    return step(folder.root(), [this] { return askWhileGameOpen(); });
                });
            });
            followNewSet();
        });
}

void RecorderWindow::followNewSet() {
    watcher_->deleteLater();
    watcher_ = new FolderWatcher(session_.folder().root(), this);
    watchFolder();
    forward([this] { session_.rescan(); });
    showPictures();
}

bool RecorderWindow::askWhileGameOpen() {
    QMessageBox box(QMessageBox::Question, recorderidentity::title,
                    QStringLiteral("Lo jòc Mirabosc es dobèrt sus aquel jòc. Tampatz-lo, puèi "
                                   "clicatz « Esperar » ; o anullatz l'importacion."),
                    QMessageBox::NoButton, this);
    QPushButton* wait = box.addButton(QStringLiteral("Esperar"), QMessageBox::AcceptRole);
    box.addButton(QStringLiteral("Anullar"), QMessageBox::RejectRole);
    box.setDefaultButton(wait);
    box.exec();
    return box.clickedButton() == wait;
}

void RecorderWindow::watchFolder() {
    // Voices, pictures and words changed by another workshop or the command line: the rows
    // follow, except during a take or a sitting, which keep the rows they show.
    connect(watcher_, &FolderWatcher::changed, this, [this] {
        forward([this] { session_.rescan(); });
        if (session_.state() == RecordingSession::State::Idle && !session_.inSitting())
            showPictures();
    });
}

void RecorderWindow::showSittingRow() {
    if (session_.current().isEmpty())
        return;
    {
        const QSignalBlocker quiet(list_);
        list_->setCurrentItem(list_->itemOf(session_.current()));
    }
    showVoice(session_.current());
}

void RecorderWindow::wordClick() {
    const QString row = session_.current();
    const int index = int(SetFolder::voiceNames().indexOf(row));
    const int phrase = int(catalogue::phraseVoiceNames().indexOf(row)) + 1;
    if (index < 0 && phrase < 1)
        return;
    bool given = false;
    const QString text = QInputDialog::getText(this, QStringLiteral("Cambiar lo mot"),
                                               QStringLiteral("Lo mot novèl :"), QLineEdit::Normal,
                                               texts_.textOf(row), &given);
    if (!given || text.trimmed().isEmpty())
        return;
    forward([&] {
        session_.changeSet([&](SetFolder& folder) {
            if (phrase > 0)
                return wordcommands::changePhrase(folder, phrase, text);
            return index < catalogue::lastCardNumber
                       ? wordcommands::changeWord(folder, index + 1, text)
                       : wordcommands::changePage(folder, index - catalogue::lastCardNumber + 1,
                                                  text);
        });
    });
    showPictures();
}

void RecorderWindow::showPictures() {
    const QString current = session_.current();
    {
        const QSignalBlocker quiet(list_);
        list_->clear();
        texts_ = wordcommands::textsOf(session_.folder());
        list_->fill(texts_, session_.folder());
        for (const QString& name : SetFolder::voiceNames())
            list_->showOwn(name, session_.voices().isOwn(name));
        list_->setCurrentItem(list_->itemOf(current));
    }
    showVoice(current);
}

void RecorderWindow::fitScreen(QSplitter* splitter) {
    QSize start = preferredSize;
    if (const QScreen* screen = this->screen())
        start = start.boundedTo(screen->availableSize() - frameAllowance);
    resize(start.expandedTo(minimumSizeHint()));
    splitter->setSizes({start.width() * listShare, start.width() * paneShare});
}

void RecorderWindow::select(const QString& voiceName) {
    forward([&] { session_.select(voiceName); });
    showVoice(voiceName);
}

void RecorderWindow::showVoice(const QString& voiceName) {
    panel_->showVoice(voicepictures::load(session_.folder(), voicepictures::pictureOf(voiceName),
                                          PictureView::preferredSize),
                      texts_.textOf(voiceName));
}

void RecorderWindow::importClick() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Importar un son"), QString(),
        QStringLiteral("Sons (*.wav *.flac *.ogg *.oga *.mp3);;Totes los fichièrs (*)"));
    if (!file.isEmpty())
        importInto(session_.current(), file);
}

void RecorderWindow::importInto(const QString& voiceName, const QString& file) {
    forward([&] { session_.importInto(voiceName, file); });
}

void RecorderWindow::forward(const std::function<void()>& step) {
    step(); // a session's step never throws
    showSession();
}

void RecorderWindow::showSession() {
    const bool recording = session_.state() == RecordingSession::State::Recording;
    for (const QString& name : session_.takeChanges())
        list_->showOwn(name, session_.voices().isOwn(name));
    count_->setText(QStringLiteral("%1 votz enregistradas sus %2")
                        .arg(session_.voices().ownCount())
                        .arg(SetFolder::voiceCount));
    list_->setEnabled(!recording && !session_.inDoubt());
    panel_->showSession(session_);
    stop_->setEnabled(recording || session_.inDoubt());
    keepDoubtful_->setEnabled(session_.inDoubt());
    cancel_->setEnabled(session_.state() != RecordingSession::State::Idle || session_.inDoubt());
    meterTimer_->setInterval(session_.inSitting() ? sittingIntervalMs : meterIntervalMs);
    if (recording != meterTimer_->isActive())
        recording ? meterTimer_->start() : meterTimer_->stop();
}
