// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The printed deck's options on the recorder's command line: paper, layout, backs, families and
// the backs' shift.
#pragma once

#include "deck/DeckOptions.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>

class QCommandLineParser;

class DeckLine {
public:
    static const QString printDeckOption;
    static const QString printAlignmentOption;

    static QList<QCommandLineOption> options();
    // The options as given; error gets what is wrong, when it is still empty.
    static deck::DeckOptions read(const QCommandLineParser& parser, QString& error);
    // An option of the deck given without --print-deck or --print-alignment.
    static bool anyGiven(const QCommandLineParser& parser);
    static QString usage();
};
