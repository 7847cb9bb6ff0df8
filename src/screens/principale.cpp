// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu's layout and handlers.
#include "screens/principale.h"

#include "MiraboscVersion.h"
#include "pictures/PictureLoader.h"
#include "screens/Ualbum.h"
#include "screens/Ufamilles.h"
#include "screens/Ujeu.h"
#include "screens/Urevisions.h"
#include "toolkit/Fonts.h"
#include "toolkit/Guard.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"

#include <QApplication>
#include <QLabel>

#include <utility>

namespace principale {

TficheFamilles* ficheFamilles = nullptr;

namespace {

constexpr int fontHeight = 11;
constexpr QRect fondRect(0, 0, 401, 550);
constexpr QRect imgAlbumRect(0, 0, 219, 75);
constexpr QRect famillesRect(168, 80, 219, 75);
constexpr QRect btnRevisionsRect(0, 416, 219, 75);
// The game, on the grass below the house; over the review's empty right end.
constexpr QRect btnJeuRect(180, 372, 219, 75);
constexpr QRect infosRect(0, 504, 32, 32);
constexpr QRect quitterRect(176, 472, 219, 75);
constexpr QRect PNinfosRect(80, 152, 265, 265);
const QColor creditsGrey(0xDE, 0xDE, 0xDE);

constexpr int creditsFont = 13;
constexpr int creditHeight = 16;
constexpr int dateFont = 8;
constexpr int dateHeight = 13;
const QColor roleColour(0, 0, 255);
constexpr int roleColumn = 24;
constexpr int nameColumn = 80;
constexpr QRect logoRect(184, 12, 69, 29);
constexpr QPoint datePos(208, 248);

struct Credit {
    const char* name;
    int left, top;
    const char* text;
    bool role;
};

// Roles in blue, each followed by what it credits, indented: the pictures are drawn by our
// generator from the Noto Color Emoji set, the words spoken by eSpeak NG. One voice: its third
// row stays empty. Our own words are Occitan; product names stay as they are.
constexpr Credit credits[] = {
    {"Label1", roleColumn, 40, "illustracions : ", true},
    {"Label8", nameColumn, 66, "Mirabosc, Noto Color Emoji", false},
    {"Label2", roleColumn, 92, "votz :", true},
    {"Label4", nameColumn, 118, "eSpeak NG", false},
    {"Label5", nameColumn, 145, "votz sintetica", false},
    {"Label6", nameColumn, 171, "", false},
    {"Label3", roleColumn, 197, "logiciau : ", true},
    {"Label7", nameColumn, 224, "contributors de Mirabosc", false},
};
// This version's month and year.
constexpr const char* creditsDate = MIRABOSC_RELEASE_MONTH;

ImageControl* wordPicture(QWidget* parent, const char* name, QRect rect, const char* art) {
    auto* image = new ImageControl(parent, QLatin1String(name), rect);
    image->setTransparent(true);
    image->setCursor(Qt::PointingHandCursor);
    image->setPicture(pictures::embedded(QLatin1String(art)));
    return image;
}

// Every handler of every screen runs through the guard, moves as well as clicks.
template <class Signal, class Handler>
void bind(ImageControl* image, Signal signal, TficheFamilles* form, Handler handler) {
    QObject::connect(image, signal, form,
                     [form, handler] { guard::run([form, handler] { (form->*handler)(); }); });
}

} // namespace

TficheFamilles::TficheFamilles()
    : Form(QStringLiteral("ficheFamilles"), QStringLiteral("Mirabosc"),
           QApplication::palette().color(QPalette::Button), fontHeight) {
    ficheFamilles = this;

    fond = new ImageControl(this, QStringLiteral("fond"), fondRect);
    fond->setProportional(true);
    fond->setPicture(pictures::embedded(QStringLiteral(":/art/fond.bmp")));
    fond->setAccessibleName(QString::fromUtf8("lo païsatge"));
    imgAlbum = wordPicture(this, "imgAlbum", imgAlbumRect, ":/art/imgAlbum.bmp");
    familles = wordPicture(this, "familles", famillesRect, ":/art/familles.bmp");
    btnRevisions = wordPicture(this, "btnRevisions", btnRevisionsRect, ":/art/btnRevisions.bmp");
    btnJeu = wordPicture(this, "btnJeu", btnJeuRect, ":/art/jogar.bmp");
    infos = new ImageControl(this, QStringLiteral("infos"), infosRect);
    infos->setTransparent(true);
    infos->setPicture(pictures::embedded(QStringLiteral(":/art/infos.bmp")));
    quitter = wordPicture(this, "quitter", quitterRect, ":/art/quitter.bmp");

    PNinfos = new Panel(this, QStringLiteral("PNinfos"), PNinfosRect, creditsGrey);
    PNinfos->setAccessibleName(QString::fromUtf8("los crèdits"));
    PNinfos->hide();
    buildCredits();

    // The keyboard and a touch reach the pictures that the pointer acts on; arriving on one
    // crosses the landscape on the way, as the pointer does.
    const std::pair<ImageControl*, const char*> reachable[] = {
        {imgAlbum, "Mirabosc"}, {familles, "las sèt familhas"}, {btnRevisions, "repassadas"},
        {btnJeu, "jogar"},      {infos, "informacions"},        {quitter, "deishar"}};
    for (const auto& [image, word] : reachable) {
        image->setReachable(true);
        image->setAccessibleName(QString::fromUtf8(word));
        if (image != infos)
            bind(image, &ImageControl::arrived, this, &TficheFamilles::fondMouseMove);
    }
    bind(infos, &ImageControl::arrived, this, &TficheFamilles::infosMouseMove);
    bind(infos, &ImageControl::clicked, this, &TficheFamilles::infosMouseMove); // Enter too
    bind(imgAlbum, &ImageControl::clicked, this, &TficheFamilles::imgAlbumClick);
    bind(familles, &ImageControl::clicked, this, &TficheFamilles::famillesClick);
    bind(btnRevisions, &ImageControl::clicked, this, &TficheFamilles::btnRevisionsClick);
    bind(btnJeu, &ImageControl::clicked, this, &TficheFamilles::btnJeuClick);
    bind(quitter, &ImageControl::clicked, this, &TficheFamilles::quitterClick);
    bind(infos, &ImageControl::mouseMoved, this, &TficheFamilles::infosMouseMove);
    bind(fond, &ImageControl::mouseMoved, this, &TficheFamilles::fondMouseMove);
}

TficheFamilles::~TficheFamilles() {
    ficheFamilles = nullptr;
}

void TficheFamilles::buildCredits() {
    auto* logo = new ImageControl(PNinfos, QStringLiteral("Image1"), logoRect);
    logo->setTransparent(true);
    logo->setPicture(pictures::embedded(QStringLiteral(":/art/logo.bmp")));

    for (const Credit& credit : credits) {
        auto* label = new QLabel(QString::fromUtf8(credit.text), PNinfos);
        label->setObjectName(QLatin1String(credit.name));
        label->setFont(fonts::sans(creditsFont));
        if (credit.role) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, roleColour);
            label->setPalette(pal);
        }
        label->adjustSize();
        label->setGeometry(credit.left, credit.top, label->width(), creditHeight);
    }
    auto* date = new QLabel(QLatin1String(creditsDate), PNinfos);
    date->setObjectName(QStringLiteral("Label9"));
    date->setFont(fonts::sans(dateFont));
    date->adjustSize();
    date->setGeometry(QRect(datePos, QSize(date->width(), dateHeight)));
}

void TficheFamilles::FormShow() {
    centre();
}

void TficheFamilles::imgAlbumClick() {
    Ualbum::album->showModal();
}
void TficheFamilles::famillesClick() {
    Ufamilles::Ffamilles->showModal();
}
void TficheFamilles::btnRevisionsClick() {
    Urevisions::revisions->showModal();
}
void TficheFamilles::btnJeuClick() {
    Ujeu::jeu->showModal();
}
void TficheFamilles::quitterClick() {
    close();
}
void TficheFamilles::infosMouseMove() {
    PNinfos->show();
}
void TficheFamilles::fondMouseMove() {
    PNinfos->hide();
}

} // namespace principale
