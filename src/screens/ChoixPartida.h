// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The choice before a game: the families to play with, how many computer players, their level.
#pragma once

#include "assets/Catalogue.h"
#include "toolkit/Panel.h"

#include <array>
#include <vector>

class QCheckBox;
class QPushButton;
class QRadioButton;
class VoiceTexts;

class ChoixPartida : public Panel {
    Q_OBJECT
public:
    static constexpr int maxOpponents = 3;

    ChoixPartida(QWidget* parent, QRect rect);

    QCheckBox* CheckBox(int k) const { return CheckBox_.at(size_t(k - 1)); } // CheckBox1 to 7
    QRadioButton* adversaris(int n) const { return adversaris_.at(size_t(n - 1)); }
    QRadioButton* nivelAisit;
    QRadioButton* nivelAtentiu;
    QPushButton* btnJogar;

    // Every family ticked and named by the set's words, two easy opponents.
    void reset(const VoiceTexts& texts);
    std::vector<int> families() const;
    int opponents() const;
    bool attentive() const;

private:
    std::array<QCheckBox*, catalogue::familyCount> CheckBox_{};
    std::array<QRadioButton*, maxOpponents> adversaris_{};
};
