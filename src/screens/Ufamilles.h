// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The family explorer: the seven family miniatures, and a family's cards with one shown large,
// each picture speaking its word once as the pointer arrives on it.
#pragma once

#include "assets/Catalogue.h"
#include "assets/VoiceTexts.h"
#include "toolkit/Form.h"

#include <array>
#include <cstdint>
#include <memory>

class ImageControl;
class MediaPlayerMP3;
class Panel;

namespace Ufamilles {

class TFfamilles : public Form {
    Q_OBJECT
public:
    TFfamilles();
    ~TFfamilles() override;

    Panel* PNchoix;
    ImageControl* fam(int k) const { return fam_.at(size_t(k - 1)); } // fam1 to fam7
    Panel* PNcartes;
    ImageControl* carte;
    ImageControl* Image(int i) const { return Image_.at(size_t(i - 1)); } // Image1 to Image7
    ImageControl* btnAutreChoix;
    std::unique_ptr<::MediaPlayerMP3> MediaPlayerMP3;

    void fam1MouseMove(QObject* sender);
    void fam7Click(QObject* sender);
    void PNchoixMouseMove(QObject* sender);
    void Image7MouseMove(QObject* sender);
    void btnAutreChoixClick(QObject* sender);

protected:
    void FormShow() override;
    void FormClose(CloseAction& action) override;

private:
    void buildChoice();
    void buildCards();
    void backToChoice();
    // Closes the player, then speaks one file and disarms; an error leaves the flag armed.
    void speak(const QString& soundFile);

    std::array<ImageControl*, catalogue::familyCount> fam_{};
    std::array<ImageControl*, catalogue::cardsPerFamily> Image_{};
    VoiceTexts texts_; // the words of the set on show, read at each showing
};

extern TFfamilles* Ffamilles;

// The one-shot arming flag: the next movement over a miniature or a small card speaks it.
// Set by each showing and by movement over bare panel background; cleared by a sound started.
extern bool sonPret;
// The family whose cards are on show (1 to 7), 0 until the first is chosen.
extern int32_t familleChoisie;

} // namespace Ufamilles
