// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The latest take drawn under the level meter: its waveform with the kept part marked, its
// loudness, and a warning when it clipped or was too quiet.
#pragma once

#include "takes/TakeReview.h"

#include <QWidget>

class QLabel;

class TakeView : public QWidget {
    Q_OBJECT
public:
    static constexpr int waveHeight = 48;
    static constexpr int sliceCount = 400;

    explicit TakeView(QWidget* parent = nullptr);
    // Nothing shown for no review.
    void showReview(const std::optional<TakeReview>& review);
    const QString& summary() const { return summary_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<TakeReview> review_;
    QString summary_;
};
