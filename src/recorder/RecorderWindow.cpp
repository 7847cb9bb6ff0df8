// The recorder's window: pick a voice, record or import it, hear the take, keep it or not.
#include "recorder/RecorderWindow.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "recorder/VoiceTree.h"
#include "toolkit/PictureLoader.h"
#include "voices/SafeWrite.h"
#include "voices/VoiceMaker.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

const QString recorderTitle = QStringLiteral("Las votz de Mirabosc");
const QString ownVoice = QStringLiteral("votz vòstra");
const QString syntheticVoice = QStringLiteral("votz sintetica");
const QString recordText = QStringLiteral("Enregistrar");
const QString stopText = QStringLiteral("Arrestar (espaci)");
const QString stagedName = QStringLiteral(".escota.mp3");
constexpr QSize rowIcon(72, 50);
constexpr QSize pictureArea(600, 420);
constexpr int listWidth = 430;
constexpr QSize startSize(1060, 800);
constexpr int meterSteps = 100;
constexpr int meterIntervalMs = 30;
constexpr double meterFloorDb = -60.0;
const QString errorStyle = QStringLiteral("color: #b00000;");
const QString recordingStyle =
    QStringLiteral("color: #d00000; font-weight: bold; font-size: 18pt;");

QString voiceOfCard(int number) {
    return VoiceFolder::voiceNames().at(number - 1);
}
QString voiceOfPage(int page) {
    return VoiceFolder::voiceNames().at(catalogue::lastCardNumber + page - 1);
}

// The picture the child sees with a voice: the miniature for a family's name, else the card or
// the album page.
QString pictureOf(const QString& voiceName) {
    const int index = int(VoiceFolder::voiceNames().indexOf(voiceName));
    if (index >= catalogue::lastCardNumber)
        return catalogue::albumPicture(index - catalogue::lastCardNumber + 1);
    const int number = index + 1;
    return catalogue::isTitleNumber(number) ? catalogue::miniature(number + 1)
                                            : catalogue::largeCard(number);
}

QPixmap loadScaled(const QString& root, const QString& picture, QSize box) {
    try {
        const QImage image =
            pictures::loadPicture(root + QLatin1Char('/') + catalogue::toNativeRelative(picture));
        // Scaled down to fit, never up: a miniature is shown at the size the game shows it.
        if (image.width() <= box.width() && image.height() <= box.height())
            return QPixmap::fromImage(image);
        return QPixmap::fromImage(image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    } catch (const Exception&) {
        return {}; // a broken picture leaves the row without one; the voice is still recordable
    }
}

QPushButton* button(const QString& text, const QString& name, QWidget* parent) {
    auto* pushButton = new QPushButton(text, parent);
    pushButton->setObjectName(name);
    return pushButton;
}

} // namespace

RecorderWindow::RecorderWindow(std::unique_ptr<VoiceFolder> folder, QWidget* parent)
    : QWidget(parent), folder_(std::move(folder)), texts_(VoiceTexts::embedded()),
      list_(new VoiceTree(this)), count_(new QLabel(this)), picture_(new QLabel(this)),
      text_(new QLabel(this)),
      recordingSign_(new QLabel(QStringLiteral("● Enregistrament…"), this)),
      meter_(new QProgressBar(this)),
      record_(button(recordText, QStringLiteral("btnEnregistrar"), this)),
      listen_(button(QStringLiteral("Escotar"), QStringLiteral("btnEscotar"), this)),
      keep_(button(QStringLiteral("Gardar"), QStringLiteral("btnGardar"), this)),
      again_(button(QStringLiteral("Tornar far"), QStringLiteral("btnTornar"), this)),
      undo_(button(QStringLiteral("Desfar"), QStringLiteral("btnDesfar"), this)),
      defaultVoice_(button(QStringLiteral("Votz per defaut"), QStringLiteral("btnDefaut"), this)),
      import_(button(QStringLiteral("Importar un son…"), QStringLiteral("btnImportar"), this)),
      message_(new QLabel(this)), timer_(new QTimer(this)) {
    setWindowTitle(recorderTitle);
    list_->setObjectName(QStringLiteral("lstVotz"));
    count_->setObjectName(QStringLiteral("LBcompte"));
    picture_->setObjectName(QStringLiteral("imgGrand"));
    text_->setObjectName(QStringLiteral("LBtext"));
    recordingSign_->setObjectName(QStringLiteral("LBenregistrament"));
    meter_->setObjectName(QStringLiteral("nivel"));
    message_->setObjectName(QStringLiteral("LBmessatge"));

    list_->setColumnCount(2);
    list_->setHeaderHidden(true);
    list_->setIconSize(rowIcon);
    list_->setFixedWidth(listWidth);
    list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(false);
    list_->setWordWrap(true);
    picture_->setFixedSize(pictureArea);
    picture_->setAlignment(Qt::AlignCenter);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignCenter);
    QFont large = text_->font();
    large.setPointSize(large.pointSize() * 3 / 2);
    text_->setFont(large);
    recordingSign_->setStyleSheet(recordingStyle);
    // The sign keeps its room while hidden, so the buttons do not move under the pointer.
    QSizePolicy keepRoom = recordingSign_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    recordingSign_->setSizePolicy(keepRoom);
    recordingSign_->setVisible(false);
    meter_->setRange(0, meterSteps);
    meter_->setTextVisible(false);
    message_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* each : {record_, listen_, keep_, again_})
        buttons->addWidget(each);
    auto* fileButtons = new QHBoxLayout;
    for (QPushButton* each : {undo_, defaultVoice_, import_})
        fileButtons->addWidget(each);
    auto* right = new QVBoxLayout;
    right->addWidget(picture_, 0, Qt::AlignHCenter);
    right->addWidget(text_);
    right->addWidget(recordingSign_, 0, Qt::AlignHCenter);
    right->addWidget(meter_);
    right->addLayout(buttons);
    right->addLayout(fileButtons);
    right->addWidget(message_);
    right->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(count_);
    left->addWidget(list_);
    auto* main = new QHBoxLayout(this);
    main->addLayout(left);
    main->addLayout(right);

    connect(list_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        guarded([&] { select(item ? item->data(0, VoiceTree::nameRole).toString() : QString()); });
    });
    connect(list_, &VoiceTree::fileDropped, this, &RecorderWindow::importInto);
    connect(record_, &QPushButton::clicked, this, [this] { guarded([this] { recordClick(); }); });
    connect(listen_, &QPushButton::clicked, this, [this] { guarded([this] { listenClick(); }); });
    connect(keep_, &QPushButton::clicked, this, [this] { guarded([this] { keepClick(); }); });
    connect(again_, &QPushButton::clicked, this, [this] { guarded([this] { againClick(); }); });
    connect(undo_, &QPushButton::clicked, this, [this] { guarded([this] { undoClick(); }); });
    connect(defaultVoice_, &QPushButton::clicked, this,
            [this] { guarded([this] { defaultClick(); }); });
    connect(import_, &QPushButton::clicked, this, [this] { guarded([this] { importClick(); }); });
    connect(timer_, &QTimer::timeout, this, [this] { guarded([this] { tick(); }); });
    qApp->installEventFilter(this);
    resize(startSize);

    buildList();
    if (!capture_.open())
        showMessage(QStringLiteral("Cap de microfòn : l'enregistrament es desactivat (%1). "
                                   "Podètz totjorn importar un son.")
                        .arg(capture_.error()),
                    true);
    list_->setCurrentItem(list_->topLevelItem(0));
}

RecorderWindow::~RecorderWindow() {
    qApp->removeEventFilter(this);
    player_.close();
    QFile::remove(stagedPath());
}

void RecorderWindow::buildList() {
    for (int family = 1; family <= catalogue::familyCount; ++family) {
        const int title = catalogue::titleNumber(family);
        QTreeWidgetItem* head = addVoice(nullptr, voiceOfCard(title), texts_.cardWord(title),
                                         catalogue::miniature(title + 1));
        for (int card : catalogue::familyCards(family))
            addVoice(head, voiceOfCard(card), texts_.cardWord(card), catalogue::smallCard(card));
        head->setExpanded(true);
    }
    auto* album = new QTreeWidgetItem(list_, {QStringLiteral("L'album")});
    album->setFlags(Qt::ItemIsEnabled);
    for (int page = 1; page <= catalogue::albumPageCount; ++page)
        addVoice(album, voiceOfPage(page), texts_.pageText(page), catalogue::albumPicture(page));
    album->setExpanded(true);
    for (const QString& name : VoiceFolder::voiceNames())
        list_->itemOf(name)->setText(1, folder_->isOwn(name) ? ownVoice : syntheticVoice);
    refresh();
}

QTreeWidgetItem* RecorderWindow::addVoice(QTreeWidgetItem* parent, const QString& name,
                                          const QString& text, const QString& picture) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(list_);
    item->setText(0, text);
    item->setToolTip(0, text);
    item->setData(0, VoiceTree::nameRole, name);
    item->setIcon(0, QIcon(loadScaled(folder_->root(), picture, rowIcon)));
    return item;
}

void RecorderWindow::select(const QString& voiceName) {
    if (capture_.isRecording())
        stopRecording();
    dropTake();
    current_ = voiceName;
    const QTreeWidgetItem* item = list_->itemOf(voiceName);
    text_->setText(item ? item->text(0) : QString());
    picture_->setPixmap(voiceName.isEmpty()
                            ? QPixmap()
                            : loadScaled(folder_->root(), pictureOf(voiceName), pictureArea));
    refresh();
}

void RecorderWindow::recordClick() {
    if (capture_.isRecording())
        stopRecording();
    else
        startRecording();
}

void RecorderWindow::startRecording() {
    if (current_.isEmpty() || !capture_.isOpen())
        return;
    dropTake();
    capture_.start();
    timer_->start(meterIntervalMs);
    showMessage(QStringLiteral("Parlatz, puèi arrestatz amb lo boton o la barra d'espaci."));
    refresh();
}

void RecorderWindow::stopRecording() {
    timer_->stop();
    const Take take = capture_.stop();
    meter_->setValue(0);
    refresh();
    take_ = voicemaker::makeVoice(take);
    safewrite::write(stagedPath(), take_);
    showMessage(QStringLiteral("Escotatz l'enregistrament, puèi gardatz-lo o tornatz far."));
    refresh();
}

void RecorderWindow::listenClick() {
    if (take_.isEmpty())
        return;
    player_.close();
    player_.setFileName(stagedPath());
    player_.open();
    player_.play();
}

void RecorderWindow::keepClick() {
    if (take_.isEmpty())
        return;
    player_.close();
    folder_->write(current_, take_);
    dropTake();
    showMessage(QStringLiteral("Votz gardada."));
    refreshRow(current_);
}

void RecorderWindow::againClick() {
    dropTake();
    showMessage(QString());
    refresh();
}

void RecorderWindow::undoClick() {
    player_.close();
    folder_->undo(current_);
    showMessage(QStringLiteral("Votz precedenta tornada."));
    refreshRow(current_);
}

void RecorderWindow::defaultClick() {
    player_.close();
    folder_->restoreDefault(current_);
    showMessage(QStringLiteral("Votz per defaut tornada."));
    refreshRow(current_);
}

void RecorderWindow::importClick() {
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Importar un son"), QString(),
        QStringLiteral("Sons (*.wav *.flac *.ogg *.oga *.mp3);;Totes los fichièrs (*)"));
    if (!file.isEmpty())
        importInto(current_, file);
}

void RecorderWindow::importInto(const QString& voiceName, const QString& file) {
    guarded([&] {
        if (voiceName.isEmpty() || capture_.isRecording())
            return;
        player_.close();
        if (voiceName == current_)
            dropTake();
        showMessage(voicemaker::importFile(*folder_, file, voiceName));
        refreshRow(voiceName);
    });
}

void RecorderWindow::tick() {
    // In decibels, so the room's noise shows as well as the voice: the microphone is live.
    const double level = std::max(double(capture_.level()), 1e-6);
    const double db = std::clamp(20.0 * std::log10(level), meterFloorDb, 0.0);
    meter_->setValue(int(std::lround((db - meterFloorDb) / -meterFloorDb * meterSteps)));
    if (capture_.isFull())
        stopRecording();
}

void RecorderWindow::dropTake() {
    if (take_.isEmpty())
        return;
    player_.close();
    take_.clear();
    QFile::remove(stagedPath());
}

void RecorderWindow::refresh() {
    const bool recording = capture_.isRecording();
    const bool voice = !current_.isEmpty();
    const bool take = !take_.isEmpty();
    record_->setText(recording ? stopText : recordText);
    record_->setEnabled(voice && capture_.isOpen());
    recordingSign_->setVisible(recording);
    listen_->setEnabled(take && !recording);
    keep_->setEnabled(take && !recording);
    again_->setEnabled(take && !recording);
    undo_->setEnabled(voice && !recording && folder_->canUndo(current_));
    defaultVoice_->setEnabled(voice && !recording && folder_->isOwn(current_));
    import_->setEnabled(voice && !recording);
    list_->setEnabled(!recording);
    count_->setText(QStringLiteral("%1 votz enregistradas sus %2")
                        .arg(folder_->ownCount())
                        .arg(VoiceFolder::voiceCount));
}

void RecorderWindow::refreshRow(const QString& voiceName) {
    if (QTreeWidgetItem* item = list_->itemOf(voiceName))
        item->setText(1, folder_->isOwn(voiceName) ? ownVoice : syntheticVoice);
    refresh();
}

void RecorderWindow::showMessage(const QString& text, bool error) {
    message_->setStyleSheet(error ? errorStyle : QString());
    message_->setText(text);
}

void RecorderWindow::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Exception& error) {
        showMessage(error.message(), true);
        refresh();
    } catch (const std::exception& error) {
        showMessage(QString::fromLocal8Bit(error.what()), true);
        refresh();
    }
}

QString RecorderWindow::stagedPath() const {
    return folder_->root() + QLatin1Char('/') + stagedName;
}

bool RecorderWindow::eventFilter(QObject* watched, QEvent* event) {
    // Space stops a take wherever the focus is, as the button does.
    if (event->type() == QEvent::KeyPress && capture_.isRecording() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        guarded([this] { stopRecording(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
