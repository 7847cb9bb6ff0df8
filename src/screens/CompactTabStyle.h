// The application's style with less room beside each tab caption, so that a long row of tabs
// fits the width of its window.
#pragma once

#include <QProxyStyle>

class CompactTabStyle : public QProxyStyle {
    Q_OBJECT
public:
    // horizontalSpace: the pixels a tab adds to its caption's width.
    CompactTabStyle(int horizontalSpace, QObject* parent);

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;

private:
    int horizontalSpace_;
};
