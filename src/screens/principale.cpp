// The main menu's layout and handlers.
#include "screens/principale.h"

#include "screens/Ualbum.h"
#include "screens/Ufamilles.h"
#include "screens/Urevisions.h"
#include "toolkit/Fonts.h"
#include "toolkit/Guard.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureLoader.h"

#include <QApplication>
#include <QLabel>

namespace principale {

TficheFamilles* ficheFamilles = nullptr;

namespace {

constexpr int fontHeight = 11;
constexpr QRect fondRect(0, 0, 401, 550);
constexpr QRect imgAlbumRect(0, 0, 219, 75);
constexpr QRect famillesRect(168, 80, 219, 75);
constexpr QRect btnRevisionsRect(0, 416, 219, 75);
constexpr QRect infosRect(0, 504, 32, 32);
constexpr QRect quitterRect(176, 472, 219, 75);
constexpr QRect PNinfosRect(80, 152, 265, 265);
const QColor creditsGrey(0xDE, 0xDE, 0xDE);

constexpr int creditsFont = 13;
constexpr int dateFont = 8;
const QColor roleColour(0, 0, 255);

struct Credit {
    const char* name;
    int left, top;
    const char* text;
    bool role;
};

// Roles in blue at column 24, the people they introduce indented to column 80.
constexpr Credit credits[] = {
    {"Label1", 24, 40, "illustracions : ", true}, {"Label8", 80, 66, "Clara Delmàs", false},
    {"Label2", 24, 92, "votz :", true},           {"Label4", 80, 118, "Joan Peiròt", false},
    {"Label5", 80, 145, "Nina Castèl", false},    {"Label6", 80, 171, "Marc Auriòl", false},
    {"Label3", 24, 197, "logiciau : ", true},     {"Label7", 80, 224, "Loís Bernat", false},
};

ImageControl* wordPicture(QWidget* parent, const char* name, QRect rect, const char* art)
{
    auto* image = new ImageControl(parent, QLatin1String(name), rect);
    image->setTransparent(true);
    image->setCursor(Qt::PointingHandCursor);
    image->setPicture(pictures::embedded(QLatin1String(art)));
    return image;
}

template <class Handler> void onClick(ImageControl* image, TficheFamilles* form, Handler handler)
{
    QObject::connect(image, &ImageControl::clicked, form,
                     [form, handler] { guard::run([form, handler] { (form->*handler)(); }); });
}

} // namespace

TficheFamilles::TficheFamilles()
    : Form(QStringLiteral("ficheFamilles"), QStringLiteral("Mirabosc"),
           QApplication::palette().color(QPalette::Button), fontHeight)
{
    ficheFamilles = this;

    fond = new ImageControl(this, QStringLiteral("fond"), fondRect);
    fond->setProportional(true);
    fond->setPicture(pictures::embedded(QStringLiteral(":/art/fond.bmp")));
    imgAlbum = wordPicture(this, "imgAlbum", imgAlbumRect, ":/art/imgAlbum.bmp");
    familles = wordPicture(this, "familles", famillesRect, ":/art/familles.bmp");
    btnRevisions = wordPicture(this, "btnRevisions", btnRevisionsRect, ":/art/btnRevisions.bmp");
    infos = new ImageControl(this, QStringLiteral("infos"), infosRect);
    infos->setTransparent(true);
    infos->setPicture(pictures::embedded(QStringLiteral(":/art/infos.bmp")));
    quitter = wordPicture(this, "quitter", quitterRect, ":/art/quitter.bmp");

    PNinfos = new Panel(this, QStringLiteral("PNinfos"), PNinfosRect, creditsGrey);
    PNinfos->hide();
    buildCredits();

    onClick(imgAlbum, this, &TficheFamilles::imgAlbumClick);
    onClick(familles, this, &TficheFamilles::famillesClick);
    onClick(btnRevisions, this, &TficheFamilles::btnRevisionsClick);
    onClick(quitter, this, &TficheFamilles::quitterClick);
    connect(infos, &ImageControl::mouseMoved, this, [this] { infosMouseMove(); });
    connect(fond, &ImageControl::mouseMoved, this, [this] { fondMouseMove(); });
}

TficheFamilles::~TficheFamilles() { ficheFamilles = nullptr; }

void TficheFamilles::buildCredits()
{
    auto* logo = new ImageControl(PNinfos, QStringLiteral("Image1"), QRect(184, 12, 69, 29));
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
        label->move(credit.left, credit.top);
        label->adjustSize();
    }
    auto* date = new QLabel(QStringLiteral("03/2005"), PNinfos);
    date->setObjectName(QStringLiteral("Label9"));
    date->setFont(fonts::sans(dateFont));
    date->move(208, 248);
    date->adjustSize();
}

void TficheFamilles::FormShow() { centre(); }

void TficheFamilles::imgAlbumClick() { Ualbum::album->showModal(); }
void TficheFamilles::famillesClick() { Ufamilles::Ffamilles->showModal(); }
void TficheFamilles::btnRevisionsClick() { Urevisions::revisions->showModal(); }
void TficheFamilles::quitterClick() { close(); }
void TficheFamilles::infosMouseMove() { PNinfos->show(); }
void TficheFamilles::fondMouseMove() { PNinfos->hide(); }

} // namespace principale
