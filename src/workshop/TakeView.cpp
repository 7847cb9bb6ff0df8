// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The waveform is the loudest sample of each slice, mirrored around the middle line; the kept
// part lies on a light band, the rest is greyed.
#include "workshop/TakeView.h"

#include "workshop/VoiceMaker.h"

#include <QPainter>

namespace {

const QColor keptBand(0xDD, 0xF0, 0xDD);
const QColor wave(0x2E, 0x5E, 0x9E);
const QColor outside(0xB0, 0xB0, 0xB0);
const QColor warning(0xB0, 0x00, 0x00);
constexpr int textGap = 4;

} // namespace

TakeView::TakeView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("vistaPresa"));
    setMinimumHeight(waveHeight + fontMetrics().height() + textGap);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void TakeView::showReview(const std::optional<TakeReview>& review) {
    review_ = review;
    summary_.clear();
    if (review_) {
        summary_ = review_->kept ? QStringLiteral("%1 LUFS").arg(review_->loudnessLufs, 0, 'f', 1)
                                 : QStringLiteral("Cap de paraula");
        if (const QString warning = voicemaker::warningOf(*review_); !warning.isEmpty())
            summary_ += QStringLiteral(" — ") + warning;
    }
    setToolTip(summary_);
    update();
}

void TakeView::paintEvent(QPaintEvent*) {
    if (!review_ || review_->columns.empty())
        return;
    QPainter painter(this);
    const QRectF area(0, 0, width(), waveHeight);
    const auto columns = int(review_->columns.size());
    if (review_->kept)
        painter.fillRect(QRectF(area.left() + review_->kept->first * area.width(), area.top(),
                                (review_->kept->second - review_->kept->first) * area.width(),
                                area.height()),
                         keptBand);
    const qreal middle = area.center().y();
    for (int i = 0; i < columns; ++i) {
        const qreal x = area.left() + (i + 0.5) * area.width() / columns;
        const double at = (i + 0.5) / columns;
        const bool inKept =
            review_->kept && at >= review_->kept->first && at <= review_->kept->second;
        painter.setPen(inKept ? wave : outside);
        const qreal half = review_->columns[size_t(i)] * area.height() / 2;
        painter.drawLine(QPointF(x, middle - half), QPointF(x, middle + half));
    }
    painter.setPen(review_->clipped || review_->tooQuiet ? warning : palette().text().color());
    painter.drawText(QRectF(0, waveHeight + textGap / 2, width(), fontMetrics().height()),
                     Qt::AlignCenter, summary_);
}
