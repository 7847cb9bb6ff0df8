// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The main menu: the landscape with its five word pictures, the help icon and the credits panel.
#pragma once

#include "toolkit/Form.h"

class ImageControl;
class Panel;

namespace principale {

class TficheFamilles : public Form {
    Q_OBJECT
public:
    TficheFamilles();
    ~TficheFamilles() override;

    ImageControl* fond;
    ImageControl* imgAlbum;
    ImageControl* familles;
    ImageControl* btnRevisions;
    ImageControl* btnJeu;
    ImageControl* infos;
    ImageControl* quitter;
    Panel* PNinfos;

    void imgAlbumClick();
    void famillesClick();
    void btnRevisionsClick();
    void btnJeuClick();
    void quitterClick();
    void infosMouseMove();
    void fondMouseMove();

protected:
    void FormShow() override;

private:
    void buildCredits();
};

extern TficheFamilles* ficheFamilles;

} // namespace principale
