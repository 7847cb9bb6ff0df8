// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The application's style for a row of tabs that only clicks and keys turn: less room beside
// each tab caption, so that a long row fits the width of its window, and no turning by the wheel.
#pragma once

#include <QProxyStyle>

class CompactTabStyle : public QProxyStyle {
    Q_OBJECT
public:
    // horizontalSpace: the pixels a tab adds to its caption's width.
    CompactTabStyle(int horizontalSpace, QObject* parent);

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;

private:
    int horizontalSpace_;
};
