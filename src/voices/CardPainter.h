// Draws the family pictures: large and small cards, the family miniatures and the blank card.
#pragma once

#include "voices/Content.h"

#include <QImage>

namespace drawing {

using namespace content;

class CardPainter {
public:
    static QImage largeCard(const Family& family, const Card& card);
    static QImage smallCard(const Family& family, const Card& card);
    static QImage miniature(const Family& family);
    // The back of a card, shown before a card is chosen; it carries the colours of all families.
    static QImage blankCard(const std::vector<Family>& families);
};

} // namespace drawing
