// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Each choice is read by its name from the deck's own lists, so the dialog and the command
// line agree.
#include "workshop/DeckLine.h"

#include "assets/Catalogue.h"

#include <QCommandLineParser>

const QString DeckLine::printDeckOption = QStringLiteral("print-deck");
const QString DeckLine::printAlignmentOption = QStringLiteral("print-alignment");

namespace {

const QString paperOption = QStringLiteral("paper");
const QString layoutOption = QStringLiteral("layout");
const QString backsOption = QStringLiteral("backs");
const QString familiesOption = QStringLiteral("families");
const QString shiftOption = QStringLiteral("shift");
const QStringList subOptions{paperOption, layoutOption, backsOption, familiesOption, shiftOption};

template <typename Choice>
Choice choice(const QCommandLineParser& parser, const QString& option, const QStringList& names,
              Choice fallback, QString& error) {
    if (!parser.isSet(option))
        return fallback;
    const int index = int(names.indexOf(parser.value(option).toLower()));
    if (index < 0 && error.isEmpty())
        error = QStringLiteral("--%1 pren %2").arg(option, names.join(QStringLiteral(", ")));
    return index < 0 ? fallback : Choice(index);
}

std::vector<int> families(const QString& value, QString& error) {
    std::vector<int> chosen;
    for (const QString& part : value.split(QLatin1Char(','))) {
        bool valid = false;
        const int family = part.trimmed().toInt(&valid);
        if (!valid || family < 1 || family > catalogue::familyCount) {
            error = QStringLiteral("--families es una lista de familhas de 1 a %1, coma 1,3,7")
                        .arg(catalogue::familyCount);
            return {};
        }
        if (std::find(chosen.begin(), chosen.end(), family) == chosen.end())
            chosen.push_back(family);
    }
    return chosen;
}

QPointF shift(const QString& value, QString& error) {
    const QStringList parts = value.split(QLatin1Char(','));
    bool validX = false, validY = false;
    const double x = parts.size() == 2 ? parts[0].trimmed().toDouble(&validX) : 0;
    const double y = parts.size() == 2 ? parts[1].trimmed().toDouble(&validY) : 0;
    if (!validX || !validY || std::abs(x) > deck::largestBackShiftMm ||
        std::abs(y) > deck::largestBackShiftMm) {
        error = QStringLiteral("--shift es X,Y en millimètres, de -%1 a %1, coma 0.5,-1")
                    .arg(deck::largestBackShiftMm);
        return {};
    }
    return {x, y};
}

} // namespace

QList<QCommandLineOption> DeckLine::options() {
    return {{printDeckOption, {}, QStringLiteral("FILE.pdf")},
            {printAlignmentOption, {}, QStringLiteral("FILE.pdf")},
            {paperOption, {}, QStringLiteral("a4|letter")},
            {layoutOption, {}, QStringLiteral("9|8|folded")},
            {backsOption, {}, QStringLiteral("none|long|short")},
            {familiesOption, {}, QStringLiteral("K,K...")},
            {shiftOption, {}, QStringLiteral("X,Y")}};
}

bool DeckLine::anyGiven(const QCommandLineParser& parser) {
    return std::any_of(subOptions.begin(), subOptions.end(),
                       [&parser](const QString& option) { return parser.isSet(option); });
}

deck::DeckOptions DeckLine::read(const QCommandLineParser& parser, QString& error) {
    deck::DeckOptions options;
    QString wrong;
    options.paper = choice(parser, paperOption, deck::paperNames(), options.paper, wrong);
    options.layout = choice(parser, layoutOption, deck::layoutNames(), options.layout, wrong);
    options.backs = choice(parser, backsOption, deck::backsNames(), options.backs, wrong);
    // The alignment page checks a duplex printer: turned over the long edge unless told.
    if (parser.isSet(printAlignmentOption) && options.backs == deck::Backs::None)
        options.backs = deck::Backs::LongEdge;
    if (parser.isSet(familiesOption) && wrong.isEmpty())
        options.families = families(parser.value(familiesOption), wrong);
    if (parser.isSet(shiftOption) && wrong.isEmpty())
        options.backShiftMm = shift(parser.value(shiftOption), wrong);
    if (error.isEmpty())
        error = wrong;
    return options;
}

QString DeckLine::usage() {
    return QStringLiteral(
        "  --print-deck FICHIÈR.pdf  estampa lo jòc de cartas dins un PDF, a sa talha vertadièra\n"
        "  --print-alignment FICHIÈR.pdf  la pagina d'alinhament, per verificar lo recto-verso\n"
        "    --paper a4|letter   lo papièr (per defaut a4)\n"
        "    --layout 9|8|folded  9 cartas per fuèlha sens fons perdut (per defaut), 8 amb 3 mm\n"
        "                        de fons perdut, o plegadas (la cara e lo revèrs sus la fuèlha)\n"
        "    --backs none|long|short  los revèrses sus las fuèlhas seguentas, per un recto-verso\n"
        "                        virat pel costat long o cort (per defaut none)\n"
        "    --families K,K...   las familhas estampadas (per defaut totas), coma 1,3,7\n"
        "    --shift X,Y         decalatge dels revèrses en mm, a drecha e en bas, vist de cara\n");
}
