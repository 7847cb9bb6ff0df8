// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The content model of a set, as data/ describes it: families, cards and album pages.
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <vector>

namespace content {

// What a card shows above its word.
struct Pictogram {
    enum class Kind { Emoji, Calendar, Splash };
    Kind kind = Kind::Emoji;
    QString emoji; // the character itself; may be empty for a calendar or a splash
    int day = 0;   // Calendar: 1 (diluns) to 7 (dimenge)
    QColor colour; // Splash: the paint
};

struct Card {
    int number = 0;
    QString word;
    Pictogram picture;
    QString spoken; // what the voice reads when it differs from the word; empty otherwise
};

struct Family {
    int index = 0;
    QString name;
    QColor colour;
    QString spoken;
    std::vector<Card> cards;
};

struct SceneItem {
    enum class Kind { Emoji, Pool };
    Kind kind = Kind::Emoji;
    QPointF centre;
    int size = 0; // Emoji: height; Pool: width
    QString emoji;
    bool flipped = false;
    QColor colour;
};

struct AlbumPage {
    enum class Sky { Dawn, Day, Evening, Night, Storm };
    int number = 0;
    Sky sky = Sky::Day;
    bool rainbow = false;
    std::vector<SceneItem> items;
    QString title;
    QString text;
    QString spoken;

    const QString& narration() const { return title.isEmpty() ? text : title; }
};

struct Content {
    std::vector<Family> families;
    std::vector<AlbumPage> pages;
};

} // namespace content
