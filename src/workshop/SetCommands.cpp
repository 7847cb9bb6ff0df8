// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A set is exported from the folder the game would use and imported into the user's set, or the
// computer's class set with --system.
#include "workshop/SetCommands.h"

#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "base/Errors.h"
#include "cardart/CardComposer.h"
#include "sets/Locations.h"
#include "sets/SetArchive.h"
#include "sets/SetFolder.h"
#include "sets/SetImport.h"
#include "sets/SetTexts.h"
#include "sets/StoredArt.h"
#include "workshop/CommandLine.h"
#include "workshop/SetCheck.h"
#include "workshop/WordCommands.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <QThread>
#include <utility>

namespace setcommands {

namespace {

constexpr int gameWaitPollMs = 200;

QString installedSet() {
    const QString installed = locations::installedDefaultSet();
    if (installed.isEmpty())
        throw SetRefused(QStringLiteral("Lo jòc installat es introbable"));
    return installed;
}

// A row named by its voice or by one of its pictures ("img_familles/v12.bmp", "mini10.bmp").
QString rowOf(const QString& name) {
    static const QRegularExpression card(
        QStringLiteral(R"(^img_familles[/\\](v|mini)?([1-9][0-9]?)\.bmp$)"));
    static const QRegularExpression page(QStringLiteral(R"(^img_album[/\\]([1-9][0-9]?)\.bmp$)"));
    if (const auto match = card.match(name); match.hasMatch()) {
        const bool miniature = match.captured(1) == QLatin1String("mini");
        const int number = match.captured(2).toInt() - (miniature ? 1 : 0);
        // A family's name has its miniature; a card has its large and small pictures.
        if (number >= 1 && number <= catalogue::lastCardNumber &&
            catalogue::isTitleNumber(number) == miniature)
            return QStringLiteral("sons_familles/%1.mp3").arg(number);
    }
    if (const auto match = page.match(name); match.hasMatch())
        return QStringLiteral("son_album/%1.mp3").arg(match.captured(1));
    if (isPicture(name))
        throw SetRefused(QStringLiteral("« %1 » es pas un imatge d'una linha del jòc").arg(name));
    return SetFolder::checkedName(name);
}

void picture(const CommandLine& line, QTextStream& out) {
    SetFolder folder(line.folder().isEmpty() ? locations::userSet() : line.folder(),
                     locations::baseSet());
    const QString row = rowOf(line.voice());
    folder.fillFromDefaultSet();
    out << makePicture(folder, line.file(), row, line.fit());
}

void undoPicture(const CommandLine& line, QTextStream& out) {
    SetFolder folder(line.folder().isEmpty() ? locations::userSet() : line.folder(),
                     locations::baseSet());
    const QString row = rowOf(line.voice());
    folder.fillFromDefaultSet();
    out << restorePictures(folder, row, line.action() == CommandLine::Action::Undo);
}

// The set an import replaces: the class set, the one named, or the user's.
QString target(const CommandLine& line) {
    return line.system()             ? locations::classSet()
           : line.folder().isEmpty() ? locations::userSet()
                                     : line.folder();
}

// A command line has no one to ask: it says why it waits, and Ctrl+C gives up.
bool waitOnCommandLine() {
    static bool said = false;
    if (!std::exchange(said, true))
        QTextStream(stderr) << QStringLiteral(
            "mirabosc-record : lo jòc Mirabosc es dobèrt sus aquel jòc ; l'importacion espèra "
            "que se tampe (Ctrl+C per l'anullar)\n");
    QThread::msleep(gameWaitPollMs);
    return true;
}

} // namespace

QString exportSet(const QString& set, const QString& file) {
    // What the import's check would refuse is not written: its problems, not its notes.
    QStringList problems;
    for (const QString& line : setcheck::problems(set).split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("PROBLÈMA")))
            problems << line;
    if (!problems.isEmpty())
        throw SetRefused(
            QStringLiteral("Lo jòc %1 es pas exportat, una importacion lo refusariá :\n%2")
                .arg(set, problems.join(QLatin1Char('\n'))));
    const int count = setarchive::write(set, installedSet(), file);
    return QStringLiteral("%1 : %2 fichièr(s) de %3\n").arg(file).arg(count).arg(set);
}

QString importSet(const QString& target, const QString& file, const QString& base,
                  const WhileGameOpen& whileGameOpen) {
    // A workshop given its base set (a window on a folder of its own) reads the names from it.
    const QString installed = locations::installedDefaultSet();
    const QString kept =
        setimport::install(file, target, base, installed.isEmpty() ? base : installed,
                           &setcheck::problems, whileGameOpen);
    return kept.isEmpty() ? QStringLiteral("%1 : jòc mes a %2\n").arg(file, target)
                          : QStringLiteral("%1 : jòc mes a %2 (lo jòc d'abans es gardat dins %3)\n")
                                .arg(file, target, kept);
}

QString undoImport(const QString& target, const WhileGameOpen& whileGameOpen) {
    const QString previous = setimport::undoImport(target, whileGameOpen);
    return QStringLiteral("%1 : lo jòc d'abans es tornat (de %2)\n").arg(target, previous);
}

QString redoImport(const QString& target, const WhileGameOpen& whileGameOpen) {
    const QString later = setimport::redoImport(target, whileGameOpen);
    return QStringLiteral("%1 : lo jòc desfach es tornat (de %2)\n").arg(target, later);
}

QString makePicture(SetFolder& folder, const QString& file, const QString& row, bool fit) {
    const auto placement = fit ? PictureArt::Placement::Fit : PictureArt::Placement::Fill;
    // Kept no larger than the card needs, however large or thin the picture given.
    const PictureArt art = PictureArt::read(file, cardcomposer::artSize(row))
                               .boundedTo(cardcomposer::artSize(row), placement);
    const content::Content texts = wordcommands::contentOf(folder);
    QString report;
    std::vector<SetFolder::Change> changes;
    for (const cardcomposer::Made& made :
         cardcomposer::compose(texts, row, art, placement, wordcommands::galleryOf(folder, row))) {
        changes.push_back(
            {made.name, cardcomposer::bmpBytes(made.image), FileOrigins::Origin::Drawn});
        report += QStringLiteral("%1 → %2/%3 (%4 x %5)\n")
                      .arg(file, folder.root(), made.name)
                      .arg(made.image.width())
                      .arg(made.image.height());
    }
    folder.commit(changes);
    // Kept for composing the row again when its word changes.
    storedart::keep(folder.root(), row, art, placement);
    // The family's other large cards show this card in their strip.
    const int number = int(SetFolder::voiceNames().indexOf(row)) + 1;
    if (number >= 1 && number <= catalogue::lastCardNumber && !catalogue::isTitleNumber(number))
        for (const int card : catalogue::familyCards((number - 1) / 8 + 1))
            if (card != number)
                report += wordcommands::composeAgain(
                    folder, texts, QStringLiteral("sons_familles/%1.mp3").arg(card));
    return report;
}

QString restorePictures(SetFolder& folder, const QString& row, bool undo) {
    const QStringList names = cardcomposer::pictureNames(row);
    for (const QString& name : names)
        if (undo && !folder.canUndo(name))
            throw SetRefused(QStringLiteral("Pas res de desfar per %1").arg(name));
    QString report;
    QStringList stepped;
    for (const QString& name : names) {
        if (stepped.contains(name))
            continue; // it came back with the change of another picture
        if (undo)
            stepped << folder.undo(name);
        else if (folder.isChanged(name))
            folder.restoreDefault(name);
        report += QStringLiteral("%1 : imatge %2 tornat\n")
                      .arg(name, undo ? QStringLiteral("precedent") : QStringLiteral("per defaut"));
    }
    for (const QString& name : stepped)
        if (!names.contains(name))
            report += QStringLiteral("%1 : tornat amb l'imatge\n").arg(name);
    // The default pictures: the class's drawing is no longer the row's.
    if (!undo)
        for (const PictureArt::Placement placement :
             {PictureArt::Placement::Fill, PictureArt::Placement::Fit})
            QFile::remove(folder.root() + QLatin1Char('/') + storedart::folder + QLatin1Char('/') +
                          storedart::fileName(row, placement));
    return report;
}

bool isPicture(const QString& name) {
    return name.startsWith(QLatin1String("img_"));
}

void act(const CommandLine& line, QTextStream& out) {
    switch (line.action()) {
    case CommandLine::Action::Export:
        out << exportSet(line.folder().isEmpty() ? locations::gameFolder() : line.folder(),
                         line.file());
        return;
    case CommandLine::Action::ImportSet:
        out << importSet(target(line), line.file(),
                         line.system() ? installedSet() : locations::baseSet(), waitOnCommandLine);
        return;
    case CommandLine::Action::UndoImport:
        out << undoImport(target(line), waitOnCommandLine);
        return;
    case CommandLine::Action::RedoImport:
        out << redoImport(target(line), waitOnCommandLine);
        return;
    case CommandLine::Action::Picture:
        return picture(line, out);
    case CommandLine::Action::Undo:
    case CommandLine::Action::Default:
        return undoPicture(line, out);
    case CommandLine::Action::Word:
    case CommandLine::Action::Page:
    case CommandLine::Action::Phrase: {
        SetFolder folder(line.folder().isEmpty() ? locations::userSet() : line.folder(),
                         locations::baseSet());
        folder.fillFromDefaultSet();
        if (line.action() == CommandLine::Action::Phrase)
            out << wordcommands::changePhrase(folder, line.number(), line.text());
        else
            out << (line.action() == CommandLine::Action::Word
                        ? wordcommands::changeWord(folder, line.number(), line.text())
                        : wordcommands::changePage(folder, line.number(), line.text()));
        return;
    }
    default:
        throw SetRefused(QStringLiteral("accion desconeguda"));
    }
}

} // namespace setcommands
