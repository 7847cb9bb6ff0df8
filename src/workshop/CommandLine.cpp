// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Every action is checked here, before the program opens a window or touches a folder.
#include "workshop/CommandLine.h"

#include "assets/Catalogue.h"
#include "workshop/DeckLine.h"

#include <QCommandLineParser>

namespace {

const QString folderOption = QStringLiteral("folder");
const QString importOption = QStringLiteral("import");
const QString toOption = QStringLiteral("to");
const QString undoOption = QStringLiteral("undo");
const QString defaultOption = QStringLiteral("default");
const QString listOption = QStringLiteral("list");
const QString exportOption = QStringLiteral("export");
const QString importSetOption = QStringLiteral("import-set");
const QString systemOption = QStringLiteral("system");
const QString pictureOption = QStringLiteral("picture");
const QString fitOption = QStringLiteral("fit");
const QString wordOption = QStringLiteral("word");
const QString pageOption = QStringLiteral("page");
const QString phraseOption = QStringLiteral("phrase");
const QString playOption = QStringLiteral("play");
const QString playFamilyOption = QStringLiteral("play-family");
const QString helpOption = QStringLiteral("help");
const QString versionOption = QStringLiteral("version");
const QString undoImportOption = QStringLiteral("undo-import");
const QString redoImportOption = QStringLiteral("redo-import");

QList<QCommandLineOption> options() {
    const QString voice = QStringLiteral("RELPATH");
    QList<QCommandLineOption> all{{folderOption, {}, QStringLiteral("DIR")},
                                  {importOption, {}, QStringLiteral("FILE")},
                                  {toOption, {}, voice},
                                  {undoOption, {}, voice},
                                  {defaultOption, {}, voice},
                                  QCommandLineOption(listOption),
                                  {exportOption, {}, QStringLiteral("FILE")},
                                  {importSetOption, {}, QStringLiteral("FILE")},
                                  QCommandLineOption(systemOption),
                                  {pictureOption, {}, QStringLiteral("FILE")},
                                  QCommandLineOption(fitOption),
                                  {wordOption, {}, QStringLiteral("N")},
                                  {pageOption, {}, QStringLiteral("P")},
                                  {phraseOption, {}, QStringLiteral("N")},
                                  {playOption, {}, voice},
                                  {playFamilyOption, {}, QStringLiteral("K")},
                                  QCommandLineOption(QStringList{helpOption, QStringLiteral("h")}),
                                  QCommandLineOption(versionOption),
                                  QCommandLineOption(undoImportOption),
                                  QCommandLineOption(redoImportOption)};
    return all + DeckLine::options();
}

// A value given as "" names nothing: it is refused rather than read as the current folder.
QString valueOf(const QCommandLineParser& parser, const QString& option, QString& error) {
    const QString value = parser.value(option);
    if (parser.isSet(option) && value.isEmpty() && error.isEmpty())
        error = QStringLiteral("--%1 a besonh d'una valor").arg(option);
    return value;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine line;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options());
    if (!parser.parse(arguments)) {
        // Qt's own texts are in English; the recorder speaks Occitan.
        line.error_ = parser.unknownOptionNames().isEmpty()
                          ? QStringLiteral("%1 a besonh d'una valor").arg(arguments.constLast())
                          : QStringLiteral("opcion desconeguda : %1")
                                .arg(parser.unknownOptionNames().constFirst());
        return line;
    }
    if (parser.isSet(helpOption) || parser.isSet(versionOption)) {
        line.action_ = parser.isSet(helpOption) ? Action::Help : Action::Version;
        return line;
    }
    // --word, --page and --phrase take their text as the one argument after them.
    const QString textOption = parser.isSet(wordOption)   ? wordOption
                               : parser.isSet(pageOption) ? pageOption
                                                          : phraseOption;
    const bool textual = parser.isSet(textOption);
    if (textual && parser.positionalArguments().size() == 1) {
        line.text_ = parser.positionalArguments().constFirst();
        const QString number = parser.value(textOption);
        bool valid = false;
        line.number_ = number.toInt(&valid);
        if (!valid || line.number_ < 1)
            line.error_ = QStringLiteral("%1 es pas un numèro").arg(number);
    } else if (textual) {
        line.error_ = QStringLiteral("--word N, --page P e --phrase N an besonh d'un tèxte");
        return line;
    } else if (!parser.positionalArguments().isEmpty()) {
        line.error_ = QStringLiteral("argument inesperat : %1")
                          .arg(parser.positionalArguments().constFirst());
        return line;
    }
    const std::pair<QString, Action> actions[] = {
        {importOption, Action::Import},
        {undoOption, Action::Undo},
        {defaultOption, Action::Default},
        {listOption, Action::List},
        {exportOption, Action::Export},
        {importSetOption, Action::ImportSet},
        {pictureOption, Action::Picture},
        {wordOption, Action::Word},
        {pageOption, Action::Page},
        {phraseOption, Action::Phrase},
        {undoImportOption, Action::UndoImport},
        {playOption, Action::Play},
        {playFamilyOption, Action::PlayFamily},
        {redoImportOption, Action::RedoImport},
        {DeckLine::printDeckOption, Action::PrintDeck},
        {DeckLine::printAlignmentOption, Action::PrintAlignment}};
    int chosen = 0;
    for (const auto& [option, action] : actions)
        if (parser.isSet(option)) {
            line.action_ = action;
            ++chosen;
        }
    if (chosen > 1)
        line.error_ = QStringLiteral("una sola accion a la còp : --import, --undo, --default, "
                                     "--list, --export, --import-set, --undo-import, "
                                     "--redo-import, --picture, --word, --page o --phrase");
    else if ((parser.isSet(importOption) || parser.isSet(pictureOption)) != parser.isSet(toOption))
        line.error_ = QStringLiteral("--import o --picture e --to van amassa");
    else if (parser.isSet(systemOption) && !parser.isSet(importSetOption) &&
             !parser.isSet(undoImportOption) && !parser.isSet(redoImportOption))
        line.error_ = QStringLiteral("--system va amb --import-set, --undo-import o --redo-import");
    else if (parser.isSet(systemOption) && parser.isSet(folderOption))
        line.error_ = QStringLiteral("--system o --folder, pas los dos");
    else if (parser.isSet(fitOption) && !parser.isSet(pictureOption))
        line.error_ = QStringLiteral("--fit va amb --picture");
    else if (DeckLine::anyGiven(parser) && line.action_ != Action::PrintDeck &&
             line.action_ != Action::PrintAlignment)
        line.error_ = QStringLiteral("--paper, --layout, --backs, --families e --shift van amb "
                                     "--print-deck o --print-alignment");
    if (line.action_ == Action::PrintDeck || line.action_ == Action::PrintAlignment)
        line.deck_ = DeckLine::read(parser, line.error_);
    line.folder_ = valueOf(parser, folderOption, line.error_);
    line.system_ = parser.isSet(systemOption);
    line.fit_ = parser.isSet(fitOption);
    for (const QString& option : {importOption, exportOption, importSetOption, pictureOption,
                                  DeckLine::printDeckOption, DeckLine::printAlignmentOption})
        if (parser.isSet(option))
            line.file_ = valueOf(parser, option, line.error_);
    if (parser.isSet(playFamilyOption)) {
        bool valid = false;
        line.number_ = parser.value(playFamilyOption).toInt(&valid);
        if (!valid || line.number_ < 1 || line.number_ > catalogue::familyCount)
            line.error_ = QStringLiteral("--play-family va de 1 a %1").arg(catalogue::familyCount);
    }
    for (const QString& option : {toOption, undoOption, defaultOption, playOption})
        if (parser.isSet(option))
            line.voice_ = valueOf(parser, option, line.error_);
    return line;
}

QString CommandLine::usage() {
    return usageHead() + DeckLine::usage() + usageTail();
}

QString CommandLine::usageHead() {
    return QStringLiteral(
        "Usatge : mirabosc-record [--folder DIR]\n"
        "         mirabosc-record [--folder DIR] --import FICHIÈR --to VOTZ\n"
        "         mirabosc-record [--folder DIR] --undo VOTZ\n"
        "         mirabosc-record [--folder DIR] --default VOTZ\n"
        "         mirabosc-record [--folder DIR] --list\n"
        "         mirabosc-record [--folder DIR] --picture IMATGE --to IMATGE_DEL_JÒC [--fit]\n"
        "         mirabosc-record [--folder DIR] --word N TÈXTE\n"
        "         mirabosc-record [--folder DIR] --page P TÈXTE\n"
        "         mirabosc-record [--folder DIR] --phrase N TÈXTE\n"
        "         mirabosc-record [--folder DIR] --play VOTZ | --play-family K\n"
        "         mirabosc-record [--folder DIR] --export FICHIÈR\n"
        "         mirabosc-record [--folder DIR | --system] --import-set FICHIÈR\n"
        "         mirabosc-record [--folder DIR | --system] --undo-import | --redo-import\n"
        "         mirabosc-record [--folder DIR] --print-deck FICHIÈR.pdf [--paper P] [--layout "
        "L]\n"
        "                         [--backs B] [--families K,K...] [--shift X,Y]\n"
        "         mirabosc-record --print-alignment FICHIÈR.pdf [--paper P] [--backs B]\n"
        "                         [--shift X,Y]\n"
        "         mirabosc-record --help | --version\n"
        "\n"
        "Sens accion, dobrís lo talhièr.\n"
        "  --folder DIR      lo dorsièr de las votz (per defaut, lo vòstre)\n"
        "  --import FICHIÈR  importa un son WAV, FLAC, Ogg o MP3 coma la votz VOTZ\n"
        "  --to VOTZ         la votz remplaçada, coma sons_familles/12.mp3 o son_album/3.mp3\n"
        "  --undo VOTZ       torna la votz d'abans lo darrièr cambiament\n"
        "  --default VOTZ    torna la votz per defaut\n"
        "  --list            cada votz, sas paraulas e se es la vòstra\n"
        "  --picture IMATGE  fa la carta (o la pagina) VOTZ d'una imatge PNG, JPEG, WebP, TIFF\n"
        "                    o BMP, ont VOTZ es coma img_familles/12.bmp\n"
        "  --fit             l'imatge tota sus la carta, puslèu que retalhada\n"
        "  --word N TÈXTE    cambia lo mot N (coma los fichièrs : 1 es lo nom de la primièra\n"
        "                    familha, 2 sa primièra carta), sos imatges e sa votz sintetica\n"
        "  --page P TÈXTE    cambia lo tèxte de la pagina P de l'album\n"
        "  --phrase N TÈXTE  cambia la frasa N del jòc de las sèt familhas (1 a 11, coma\n"
        "                    son_frasas/N.mp3) e sa votz sintetica\n"
        "  --export FICHIÈR  met dins un fichièr zip çò que cambia del jòc installat\n"
        "  --import-set FICHIÈR  pren lo jòc d'aquel fichièr, verificat tot d'abans\n"
        "  --undo-import     torna lo jòc remplaçat per la darrièra importacion ; un autre\n"
        "                    còp, lo d'abans, e atal d'un jòc a l'autre\n"
        "  --redo-import     torna lo jòc que --undo-import a remplaçat\n"
        "  --system          per totes los comptes de l'ordenador (amb --import-set,\n"
        "                    --undo-import o --redo-import)\n"
        "  --play VOTZ       fa ausir la votz del jòc\n"
        "  --play-family K   fa ausir la familha K (1 a 7) : son nom e sos sèt mots\n");
}

QString CommandLine::usageTail() {
    return QStringLiteral("  --help            aquesta ajuda\n"
                          "  --version         la version\n");
}
