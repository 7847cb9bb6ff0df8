// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The deck and the alignment page made into a PDF, or sent to a printer, at 300 dpi.
#pragma once

#include "deck/DeckOptions.h"

#include <QByteArray>
#include <QPageSize>

class QPrinter;

namespace deck {

class DeckWriter {
public:
    static QPageSize pageSize(Paper paper);
    // The whole PDF in memory, for the caller to write aside and rename. Throws SetRefused.
    static QByteArray pdf(const PrintedSet& set, const DeckOptions& options);
    static QByteArray alignmentPdf(const DeckOptions& options);
    // The same pages on a printer chosen in the system's dialog; the paper is set here. Throws
    // SetRefused when the printer refuses them.
    static void print(QPrinter& printer, const PrintedSet& set, const DeckOptions& options);
    static void printAlignment(QPrinter& printer, const DeckOptions& options);
};

} // namespace deck
