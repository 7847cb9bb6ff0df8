// CompactTabStyle: only the tabs' horizontal padding differs from the application's style.
#include "screens/CompactTabStyle.h"

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
