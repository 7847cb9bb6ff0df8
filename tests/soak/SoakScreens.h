// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// What the soak knows of the screens: the damaged asset set it walks over a second time, the
// controls the walk must reach, and each screen's own rules.
#pragma once

#include "assets/Catalogue.h"
#include "audio/MediaPlayerMP3.h"
#include "screens/Ualbum.h"
#include "screens/Ufamilles.h"
#include "screens/Ujeu.h"
#include "screens/Urevisions.h"
#include "soak/SoakReview.h"
#include "support/TestAssets.h"
#include "toolkit/ImageControl.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"

#include <QDir>
#include <QRandomGenerator>
#include <QStringList>
#include <QTabWidget>

namespace soak {

// Files missing, cut short, of zero bytes, of noise, of absurd size, or a folder in their place.
inline void damage(TestAssets& assets) {
    for (const char* path : {"img_familles\\v12.bmp", "sons_familles\\3.mp3", "son_album\\4.mp3",
                             "img_album\\6.bmp", "img_familles\\mini26.bmp"})
        assets.remove(QLatin1String(path));
    const auto cut = [&](const char* path, int bytes) {
        assets.replace(QLatin1String(path), TestAssets::original(QLatin1String(path)).left(bytes));
    };
    cut("img_familles\\mini18.bmp", 20);
    cut("img_album\\3.bmp", 5000);
    cut("sons_familles\\12.mp3", 300);
    cut("img_familles\\vierge.bmp", 0);
    cut("son_album\\8.mp3", 0);
    QRandomGenerator noise(7);
    const auto garbage = [&](const char* path, QByteArray start) {
        start.resize(4096);
        for (qsizetype i = 2; i < start.size(); ++i)
            start[i] = char(noise.bounded(256));
        assets.replace(QLatin1String(path), start);
    };
    garbage("img_familles\\27.bmp", "BM");
    garbage("sons_familles\\28.mp3", "ID");
    garbage("son_album\\7.mp3", "\xff\xfb");
    QByteArray huge = TestAssets::original(QStringLiteral("img_familles\\v36.bmp"));
    huge[18] = '\xff', huge[19] = '\xff', huge[20] = '\xff', huge[21] = '\x7f';
    assets.replace(QStringLiteral("img_familles\\v36.bmp"), huge);
    assets.remove(QStringLiteral("sons_familles\\4.mp3"));
    QDir(assets.path()).mkpath(QStringLiteral("sons_familles/4.mp3"));
}

// Every control of every screen that a child can point at or click.
inline QStringList controlsToReach() {
    QStringList names{"ficheFamilles/fond",        "ficheFamilles/imgAlbum",
                      "ficheFamilles/familles",    "ficheFamilles/btnRevisions",
                      "ficheFamilles/infos",       "ficheFamilles/quitter",
                      "ficheFamilles/PNinfos",     "album/img",
                      "album/btnSonOui",           "album/btnSonNon",
                      "album/qt_tabwidget_tabbar", "Ffamilles/PNchoix",
                      "Ffamilles/PNcartes",        "Ffamilles/carte",
                      "Ffamilles/btnAutreChoix",   "revisions/PNcartes",
                      "revisions/Button1",         "revisions/btnRejouer",
                      "revisions/GroupBox1"};
    names << "ficheFamilles/btnJeu"
          << "jeu/btnJogar"
          << "jeu/PNtaula"
          << "jeu/man1"
          << "jeu/pila";
    for (int i = 1; i <= 7; ++i) {
        names << QStringLiteral("Ffamilles/fam%1").arg(i)
              << QStringLiteral("Ffamilles/Image%1").arg(i)
              << QStringLiteral("revisions/Image%1").arg(i)
              << QStringLiteral("revisions/CheckBox%1").arg(i);
    }
    return names;
}

inline const MediaPlayerMP3& player(const std::unique_ptr<MediaPlayerMP3>& p) {
    return *p;
}
inline const MediaPlayerMP3& player(const MediaPlayerMP3& p) {
    return p;
}

// One narration at most, and none from a screen that is closed.
inline QString narrationProblem() {
    const struct {
        const Form* form;
        const MediaPlayerMP3& player;
    } screens[] = {{Ualbum::album, player(Ualbum::album->MediaPlayerMP3)},
                   {Ufamilles::Ffamilles, player(Ufamilles::Ffamilles->MediaPlayerMP3)},
                   {Urevisions::revisions, player(Urevisions::revisions->MediaPlayerMP3)}};
    int playing = 0;
    for (const auto& s : screens) {
        playing += s.player.isPlaying() ? 1 : 0;
        if (!s.form->isVisible() && s.player.isOpen())
            return s.form->objectName() + QStringLiteral(" is closed but its narration is open");
    }
    return playing > 1 ? QStringLiteral("%1 narrations playing").arg(playing) : QString();
}

// Seventeen tabs while open and none once closed; with sound files that all open, the player
// holds the page's narration exactly while the narration is switched on, and the picture is
// the selected page's.
inline QString albumProblem(bool damaged) {
    const Ualbum::Talbum* a = Ualbum::album;
    const int tabs = a->PageControl1->count();
    if (tabs != (a->isVisible() ? catalogue::albumPageCount : 0))
        return QStringLiteral("the album has %1 tabs").arg(tabs);
    if (!a->isVisible() || damaged)
        return {};
    const int page = a->PageControl1->currentIndex() + 1;
    if (a->img->picture() != TestAssets::picture(catalogue::albumPicture(page)))
        return QStringLiteral("page %1 shows another picture").arg(page);
    if (a->MediaPlayerMP3->isOpen() != Ualbum::sonActif ||
        a->btnSonOui->isChecked() != Ualbum::sonActif ||
        a->btnSonNon->isChecked() == Ualbum::sonActif)
        return QStringLiteral("the narration switch and the player disagree");
    if (Ualbum::sonActif && a->MediaPlayerMP3->openFile() != catalogue::albumNarration(page))
        return QStringLiteral("page %1 speaks %2").arg(page).arg(a->MediaPlayerMP3->openFile());
    return {};
}

// One view at a time, the window at its height; armed means silent.
inline QString explorerProblem() {
    const Ufamilles::TFfamilles* f = Ufamilles::Ffamilles;
    if (!f->isVisible())
        return {};
    const bool choice = f->PNchoix->isVisible();
    if (choice == f->PNcartes->isVisible())
        return QStringLiteral("the explorer shows both views or neither");
    if (f->height() != (choice ? 529 : 577))
        return QStringLiteral("the explorer is %1 high").arg(f->height());
    if (Ufamilles::sonPret && f->MediaPlayerMP3->isPlaying())
        return QStringLiteral("the explorer is armed while a word plays");
    return {};
}

// One view at a time; the table shows the child's hand, and a closed game is silent.
inline QString gameProblem() {
    Ujeu::Tjeu* g = Ujeu::jeu;
    if (!g->isVisible())
        return g->voice().busy() ? QStringLiteral("the closed game still speaks") : QString();
    if (g->PNchoix->isVisible() == g->PNtaula->isVisible())
        return QStringLiteral("the game shows both views or neither");
    if (!g->PNtaula->isVisible())
        return {};
    const size_t hand = g->partida().game().table().hands.front().size();
    for (size_t i = 1; i <= tableplaces::handCapacity; ++i)
        if (g->PNtaula->man(int(i))->isVisibleTo(g->PNtaula) != (i <= hand))
            return QStringLiteral("the table shows another hand than the child's %1 cards")
                .arg(hand);
    return {};
}

// The rules of all four screens, checked after every action.
inline QString screenRules(bool damaged) {
    for (const QString& problem : {narrationProblem(), albumProblem(damaged), explorerProblem(),
                                   reviewProblem(damaged), gameProblem()})
        if (!problem.isEmpty())
            return problem;
    return {};
}

} // namespace soak
