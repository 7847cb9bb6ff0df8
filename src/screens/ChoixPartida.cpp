// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The choice's boxes, in the keyboard's order: families, opponents, level, then "Jogar".
#include "screens/ChoixPartida.h"

#include "assets/VoiceTexts.h"
#include "toolkit/FocusOverlay.h"
#include "toolkit/Fonts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace {

constexpr int choiceFont = 13;
constexpr int choiceButtonFont = 16;
constexpr QRect familiesBox(40, 40, 300, 270);
constexpr QRect opponentsBox(380, 40, 260, 150);
constexpr QRect levelBox(380, 210, 260, 100);
constexpr QRect jogarRect(380, 340, 260, 60);
constexpr int rowStep = 34;
constexpr int rowInset = 16;
constexpr int firstRow = 24;
constexpr int defaultOpponents = 2;
// How far the focus frame reaches out of a box, round its caption.
constexpr int choiceFrameOut = 4;

QGroupBox* group(QWidget* parent, const QString& title, QRect rect) {
    auto* box = new QGroupBox(title, parent);
    box->setGeometry(rect);
    box->setFont(fonts::sans(choiceFont));
    return box;
}

template <class Button>
Button* row(QGroupBox* box, const QString& name, const QString& text, int i) {
    auto* b = new Button(text, box);
    b->setObjectName(name);
    b->setGeometry(rowInset, firstRow + i * rowStep, box->width() - 2 * rowInset, rowStep - 4);
    FocusOverlay::follow(b, [](const QWidget* w) {
        return w->rect().adjusted(-choiceFrameOut, -choiceFrameOut, choiceFrameOut, choiceFrameOut);
    });
    return b;
}

} // namespace

ChoixPartida::ChoixPartida(QWidget* parent, QRect rect)
    : Panel(parent, QStringLiteral("PNchoix"), rect, Qt::white) {
    QGroupBox* families = group(this, QStringLiteral("Familhas"), familiesBox);
    for (int k = 1; k <= catalogue::familyCount; ++k)
        CheckBox_.at(size_t(k - 1)) =
            row<QCheckBox>(families, QStringLiteral("CheckBox%1").arg(k), QString(), k - 1);
    QGroupBox* opponents = group(this, QStringLiteral("Adversaris"), opponentsBox);
    for (int n = 1; n <= maxOpponents; ++n)
        adversaris_.at(size_t(n - 1)) = row<QRadioButton>(
            opponents, QStringLiteral("adversaris%1").arg(n), QString::number(n), n - 1);
    QGroupBox* level = group(this, QStringLiteral("Nivèl"), levelBox);
    nivelAisit = row<QRadioButton>(level, QStringLiteral("nivelAisit"), QStringLiteral("aisit"), 0);
    nivelAtentiu =
        row<QRadioButton>(level, QStringLiteral("nivelAtentiu"), QStringLiteral("atentiu"), 1);
    btnJogar = new QPushButton(QStringLiteral("Jogar"), this);
    btnJogar->setObjectName(QStringLiteral("btnJogar"));
    btnJogar->setGeometry(jogarRect);
    btnJogar->setFont(fonts::sans(choiceButtonFont));
    FocusOverlay::follow(btnJogar, [](const QWidget* w) { return w->rect(); });
}

void ChoixPartida::reset(const VoiceTexts& texts) {
    for (int k = 1; k <= catalogue::familyCount; ++k) {
        CheckBox(k)->setText(texts.cardWord(catalogue::titleNumber(k)));
        CheckBox(k)->setChecked(true);
    }
    adversaris(defaultOpponents)->setChecked(true);
    nivelAisit->setChecked(true);
}

std::vector<int> ChoixPartida::families() const {
    std::vector<int> chosen;
    for (int k = 1; k <= catalogue::familyCount; ++k)
        if (CheckBox(k)->isChecked())
            chosen.push_back(k);
    return chosen;
}

int ChoixPartida::opponents() const {
    for (int n = 1; n <= maxOpponents; ++n)
        if (adversaris(n)->isChecked())
            return n;
    return defaultOpponents;
}

bool ChoixPartida::attentive() const {
    return nivelAtentiu->isChecked();
}
