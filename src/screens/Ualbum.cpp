// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The album's layout and handlers.
#include "screens/Ualbum.h"

#include "assets/Catalogue.h"
#include "assets/DisplaySizes.h"
#include "assets/VoiceTexts.h"
#include "audio/MediaPlayerMP3.h"
#include "pictures/PictureLoader.h"
#include "toolkit/CompactTabStyle.h"
#include "toolkit/FocusOverlay.h"
#include "toolkit/Guard.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"

#include <QButtonGroup>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>

namespace Ualbum {

Talbum* album = nullptr;
bool sonActif = false;

namespace {

constexpr int fontHeight = 12;
constexpr QRect PageControl1Rect(0, 0, 761, 561);
// The panel starts below the tab row and covers the rest of the tab control.
constexpr QRect Panel1Rect(0, 25, 753, 530);
// Wider than the panel: only its leftmost 752 columns show.
constexpr QRect imgRect(QPoint(1, 2), displaysize::albumPage);
// The pair overlaps by 8 pixels and hangs one row below the panel.
constexpr QRect btnSonOuiRect(0, 483, 48, 48);
constexpr QRect btnSonNonRect(40, 483, 48, 48);
constexpr int tabCount = catalogue::albumPageCount;
// Room beside each tab caption: with the style's usual room the last tabs would scroll out of
// the row.
constexpr int tabCaptionRoom = 14;
// How far the focus frame reaches out of the current tab, sideways and below.
constexpr int tabFrameOut = 4;

QString tabCaption(int index) {
    return catalogue::albumTab(index + 1);
}

// Tab index i shows album page i + 1.
int pageOf(const QTabWidget* tabs) {
    return tabs->currentIndex() + 1;
}

} // namespace

Talbum::Talbum()
    : Form(QStringLiteral("album"), QStringLiteral("Mirabosc"), Qt::white, fontHeight),
      MediaPlayerMP3(std::make_unique<::MediaPlayerMP3>()), texts_(VoiceTexts::defaultSet()) {
    album = this;

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(PageControl1Rect);
    QTabBar* tabRow = PageControl1->tabBar();
    tabRow->setStyle(new CompactTabStyle(tabCaptionRoom, tabRow));
    tabRow->setFocusPolicy(Qt::StrongFocus);
    // The frame goes round the current tab, reaching down over the panel's edge: inside the tab
    // it would hide the caption.
    FocusOverlay::follow(tabRow, [](const QWidget* row) {
        auto* bar = static_cast<const QTabBar*>(row);
        return bar->tabRect(bar->currentIndex())
            .adjusted(-tabFrameOut, 0, tabFrameOut, tabFrameOut);
    });

    Panel1 = new Panel(this, QStringLiteral("Panel1"), Panel1Rect, Qt::white);
    Panel1->setAccessibleName(QStringLiteral("la pagina"));
    img = new ImageControl(Panel1, QStringLiteral("img"), imgRect);
    img->setProportional(true);

    btnSonOui = new SpeedButton(Panel1, QStringLiteral("btnSonOui"), btnSonOuiRect);
    btnSonOui->setGlyph(pictures::embedded(QStringLiteral(":/art/sonOui.bmp")));
    btnSonNon = new SpeedButton(Panel1, QStringLiteral("btnSonNon"), btnSonNonRect);
    btnSonNon->setGlyph(pictures::embedded(QStringLiteral(":/art/sonNon.bmp")));
    btnSonOui->setAccessibleName(QStringLiteral("son"));
    btnSonNon->setAccessibleName(QStringLiteral("pas de son"));
    // An exclusive group: a click on the pressed button keeps it pressed and is still a click.
    sonGroup_ = new QButtonGroup(this);
    sonGroup_->addButton(btnSonOui);
    sonGroup_->addButton(btnSonNon);
    btnSonOui->setChecked(true);

    connect(PageControl1, &QTabWidget::currentChanged, this, [this] {
        FocusOverlay::refresh(PageControl1->tabBar());
        guard::run([this] { PageControl1Change(PageControl1); });
    });
    connect(btnSonOui, &SpeedButton::clicked, this,
            [this] { guard::run([this] { btnSonOuiClick(btnSonOui); }); });
    connect(btnSonNon, &SpeedButton::clicked, this,
            [this] { guard::run([this] { btnSonNonClick(btnSonNon); }); });
}

Talbum::~Talbum() {
    album = nullptr;
}

// Tab changes made here are the program's, not the learner's: they run no change handler.
void Talbum::createTabs() {
    const QSignalBlocker quiet(PageControl1);
    for (int i = 0; i < tabCount; ++i) {
        auto* sheet = new QWidget;
        sheet->setObjectName(QStringLiteral("onglet%1").arg(i));
        PageControl1->addTab(sheet, tabCaption(i));
        // A screen reader on the tab, where the keyboard is, reads the page's narration.
        PageControl1->tabBar()->setTabData(i, texts_.pageText(i + 1));
    }
    PageControl1->setCurrentIndex(0);
    FocusOverlay::refresh(PageControl1->tabBar());
}

void Talbum::freeTabs() {
    const QSignalBlocker quiet(PageControl1);
    for (int i = PageControl1->count() - 1; i >= 0; --i) {
        // The sheet leaves its tab as it is destroyed.
        std::unique_ptr<QWidget> sheet(PageControl1->widget(i));
    }
}

void Talbum::FormShow() {
    centre();
    texts_ = VoiceTexts::ofCurrentSet();
    createTabs();
    showPage(pageOf(PageControl1));
    MediaPlayerMP3->close();
    MediaPlayerMP3->setFileName(catalogue::albumNarration(pageOf(PageControl1)));
    MediaPlayerMP3->open();
    MediaPlayerMP3->play();
    sonActif = true;
    btnSonOui->setChecked(true);
}

void Talbum::PageControl1Change(QObject*) {
    const int page = pageOf(PageControl1);
    showPage(page);
    MediaPlayerMP3->close(); // whatever the switch, the narration in progress stops here
    MediaPlayerMP3->setFileName(catalogue::albumNarration(page));
    if (sonActif) {
        MediaPlayerMP3->open();
        MediaPlayerMP3->play();
    }
}

// The page's picture, named as its tab for screen readers, which read its narration as its
// description.
void Talbum::showPage(int page) {
    img->loadFromFile(catalogue::albumPicture(page));
    img->setAccessibleName(tabCaption(page - 1));
    img->setAccessibleDescription(texts_.pageText(page));
}

void Talbum::btnSonOuiClick(QObject*) {
    sonActif = true;
    MediaPlayerMP3->open(); // restarts the page's narration from its beginning
    MediaPlayerMP3->play();
}

void Talbum::btnSonNonClick(QObject*) {
    sonActif = false;
    MediaPlayerMP3->close();
}

void Talbum::FormClose(CloseAction&) {
    freeTabs();
    MediaPlayerMP3->close(); // no narration outlives the visit
}

} // namespace Ualbum
