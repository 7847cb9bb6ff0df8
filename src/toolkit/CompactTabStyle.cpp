// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// CompactTabStyle: the tabs' horizontal padding and the wheel differ from the application's style.
#include "toolkit/CompactTabStyle.h"

CompactTabStyle::CompactTabStyle(int horizontalSpace, QObject* parent)
    : horizontalSpace_(horizontalSpace) {
    setParent(parent);
}

int CompactTabStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (metric == PM_TabBarTabHSpace)
        return horizontalSpace_;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

// A child scrolling over the tabs must not flip the story's pages.
int CompactTabStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                               QStyleHintReturn* returnData) const {
    if (hint == SH_TabBar_AllowWheelScrolling)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
