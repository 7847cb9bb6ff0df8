// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Every control keeps the name the tests find it by; sizes come from layouts, not fixed widths.
#include "workshop/TakePanel.h"

#include "workshop/NamedButton.h"
#include "workshop/PictureView.h"
#include "workshop/RecordingSession.h"
#include "workshop/TakeView.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>
#include <cmath>

namespace {

const QString recordText = QStringLiteral("Enregistrar");
const QString stopText = QStringLiteral("Arrestar (espaci)");
constexpr int meterSteps = 100;
const QString familyText = QStringLiteral("Tota la familha");
const QString pagesText = QStringLiteral("Las paginas d'aquí");
// How long a sitting's latest take stays shown with its row.
constexpr auto handedShown = std::chrono::milliseconds(1500);
constexpr int textScalePercent = 150;
const QString errorStyle = QStringLiteral("color: #b00000;");
const QString recordingStyle =
    QStringLiteral("color: #d00000; font-weight: bold; font-size: 18pt;");

QLabel* label(const QString& name, QWidget* parent) {
    auto* created = new QLabel(parent);
    created->setObjectName(name);
    created->setWordWrap(true);
    created->setAlignment(Qt::AlignCenter);
    return created;
}

} // namespace

TakePanel::TakePanel(QWidget* parent)
    : QWidget(parent), picture_(new PictureView(this)),
      text_(label(QStringLiteral("LBtext"), this)),
      recordingSign_(label(QStringLiteral("LBenregistrament"), this)),
      meter_(new QProgressBar(this)), takeView_(new TakeView(this)),
      record_(namedButton(recordText, QStringLiteral("btnEnregistrar"), this)),
      listen_(namedButton(QStringLiteral("Escotar"), QStringLiteral("btnEscotar"), this)),
      keep_(namedButton(QStringLiteral("Gardar"), QStringLiteral("btnGardar"), this)),
      again_(namedButton(QStringLiteral("Tornar far"), QStringLiteral("btnTornar"), this)),
      undo_(namedButton(QStringLiteral("Desfar"), QStringLiteral("btnDesfar"), this)),
      defaultVoice_(
          namedButton(QStringLiteral("Votz per defaut"), QStringLiteral("btnDefaut"), this)),
      import_(namedButton(QStringLiteral("Importar un son…"), QStringLiteral("btnImportar"), this)),
      family_(namedButton(familyText, QStringLiteral("btnFamilha"), this)),
      message_(label(QStringLiteral("LBmessatge"), this)) {
    picture_->setObjectName(QStringLiteral("imgGrand"));
    meter_->setObjectName(QStringLiteral("nivel"));
    QFont large = text_->font();
    large.setPointSize(large.pointSize() * textScalePercent / 100);
    text_->setFont(large);
    recordingSign_->setText(QStringLiteral("● Enregistrament…"));
    recordingSign_->setStyleSheet(recordingStyle);
    // The sign keeps its room while hidden, so the buttons do not move under the pointer.
    QSizePolicy keepRoom = recordingSign_->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    recordingSign_->setSizePolicy(keepRoom);
    recordingSign_->setVisible(false);
    meter_->setRange(0, meterSteps);
    meter_->setTextVisible(false);
    message_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* buttons = new QGridLayout;
    QPushButton* const rows[2][4] = {{record_, listen_, keep_, again_},
                                     {undo_, defaultVoice_, import_, family_}};
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 4; ++column)
            if (rows[row][column])
                buttons->addWidget(rows[row][column], row, column);
    auto* layout = new QVBoxLayout(this);
    // Spare height goes around the pane, so the word stays under its picture.
    layout->addStretch();
    layout->addWidget(picture_);
    layout->addWidget(text_);
    layout->addWidget(recordingSign_);
    layout->addWidget(meter_);
    layout->addWidget(takeView_);
    layout->addLayout(buttons);
    layout->addWidget(message_);
    layout->addStretch();
}

void TakePanel::showVoice(const QPixmap& picture, const QString& text) {
    picture_->setPicture(picture);
    text_->setText(text);
}

void TakePanel::showSession(const RecordingSession& session) {
    using State = RecordingSession::State;
    const State state = session.state();
    const bool recording = state == State::Recording;
    const bool review = state == State::Review;
    const bool voice = !session.current().isEmpty();
    const QWidget* focused = focusWidget();
    record_->setText(recording ? stopText : recordText);
    record_->setEnabled(session.canRecord());
    recordingSign_->setVisible(recording);
    // With no fresh take, Escotar plays the voice the set holds.
    listen_->setEnabled(review || (voice && !recording));
    family_->setEnabled(voice && !recording);
    family_->setText(session.current().startsWith(QLatin1String("son_album")) ? pagesText
                                                                              : familyText);
    keep_->setEnabled(review);
    again_->setEnabled(review);
    undo_->setEnabled(voice && !recording && session.voices().canUndo(session.current()));
    defaultVoice_->setEnabled(voice && !recording && session.voices().isOwn(session.current()));
    import_->setEnabled(voice && !recording);
    message_->setStyleSheet(session.status().error ? errorStyle : QString());
    message_->setText(session.status().text);
    if (!recording)
        meter_->setValue(0);
    takeView_->showReview(recording ? std::nullopt : session.review());
    // In a sitting, the row a take went to and its waveform stay a moment: a wrong row shows.
    const auto handed = session.inSitting() ? session.sitting()->lastHanded() : std::nullopt;
    if (handed && std::chrono::steady_clock::now() - handed->when < handedShown) {
        takeView_->showReview(handed->review);
        if (!session.status().error)
            message_->setText(QStringLiteral("« %1 » enregistrat (%2)\n%3")
                                  .arg(handed->text, handed->row, session.status().text));
    }
    // A button that has just done its work (Gardar, Tornar far) hands the focus to the next take.
    if (focused && !focused->isEnabled())
        (record_->isEnabled() ? record_ : import_)->setFocus();
}

void TakePanel::showLevel(double level) {
    meter_->setValue(int(std::lround(level * meterSteps)));
}
