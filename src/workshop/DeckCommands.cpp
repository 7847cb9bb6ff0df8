// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Printing only reads the set: no lock, no fill, no history; the PDF is the one file written.
#include "workshop/DeckCommands.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "deck/DeckWriter.h"
#include "sets/Locations.h"
#include "sets/SafeWrite.h"
#include "sets/SetFolder.h"
#include "sets/StoredArt.h"
#include "workshop/CommandLine.h"
#include "workshop/WordCommands.h"

#include <QFileInfo>
#include <QTextStream>

namespace deckcommands {

namespace {

constexpr PictureArt::Placement placements[] = {PictureArt::Placement::Fill,
                                                PictureArt::Placement::Fit};

bool keepsDrawing(const QString& set, const QString& voice) {
    if (set.isEmpty())
        return false;
    for (const PictureArt::Placement placement : placements)
        if (QFileInfo::exists(set + QLatin1Char('/') + storedart::folder + QLatin1Char('/') +
                              storedart::fileName(voice, placement)))
            return true;
    return false;
}

} // namespace

deck::PrintedSet printedSet(const SetFolder& folder, QStringList& problems) {
    deck::PrintedSet set;
    set.content = wordcommands::contentOf(folder);
    // A set never written to is the default set, pictures and all.
    const bool hasFiles = QFileInfo(folder.root()).isDir();
    for (const content::Family& family : set.content.families)
        for (const content::Card& card : family.cards) {
            const QString voice = catalogue::slashed(catalogue::cardSound(card.number));
            const QString picture = catalogue::slashed(catalogue::largeCard(card.number));
            if (auto drawn = storedart::find(folder.root(), voice, folder.defaultSet())) {
                set.drawings.emplace(card.number, std::move(*drawn));
                continue;
            }
            // A drawing kept but unreadable, or a card's picture gone from the set.
            const bool damaged =
                keepsDrawing(folder.root(), voice) || keepsDrawing(folder.defaultSet(), voice);
            if (damaged || (hasFiles && !QFileInfo::exists(folder.pathOf(picture)))) {
                set.blank.insert(card.number);
                problems << QStringLiteral("%1 : imatge mancant o damatjat, carta « %2 » "
                                           "estampada sens imatge")
                                .arg(picture, card.word);
            }
        }
    return set;
}

QString writePdf(const SetFolder* folder, const deck::DeckOptions& options, const QString& file) {
    QStringList problems;
    const QByteArray pdf = folder ? deck::DeckWriter::pdf(printedSet(*folder, problems), options)
                                  : deck::DeckWriter::alignmentPdf(options);
    safewrite::write(file, pdf);
    problems << QStringLiteral("%1 : jòc estampat").arg(file);
    return problems.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void act(const CommandLine& line, QTextStream& out) {
    if (line.action() == CommandLine::Action::PrintAlignment) {
        out << writePdf(nullptr, line.deck(), line.file());
        return;
    }
    const SetFolder folder(line.folder().isEmpty() ? locations::userSet() : line.folder(),
                           locations::baseSet());
    out << writePdf(&folder, line.deck(), line.file());
}

} // namespace deckcommands
