// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Each command names its voice before the folder is filled, so a wrong name changes nothing.
#include "workshop/VoiceCommands.h"

#include "assets/Catalogue.h"
#include "assets/PhraseTexts.h"
#include "assets/VoiceTexts.h"
#include "base/Errors.h"
#include "sets/Locations.h"
#include "sets/SetFolder.h"
#include "sets/SetImport.h"
#include "workshop/CommandLine.h"
#include "workshop/DeckCommands.h"
#include "workshop/SetCommands.h"
#include "workshop/VoiceMaker.h"
#include "workshop/VoicePlayer.h"
#include "workshop/WordCommands.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QTextStream>

namespace voicecommands {

namespace {

const QString ownVoice = QStringLiteral("votz vòstra");
const QString syntheticVoice = QStringLiteral("votz sintetica");

void list(const SetFolder& folder, QTextStream& out) {
    const VoiceTexts texts = wordcommands::textsOf(folder);
    for (const QString& name : SetFolder::voiceNames()) {
        out << name << '\t' << texts.textOf(name) << '\t'
            << (folder.isOwn(name) ? ownVoice : syntheticVoice);
        if (const QString old = wordcommands::saysOld(folder, name); !old.isEmpty())
            out << QStringLiteral(" (ditz « %1 »)").arg(old);
        out << '\n';
    }
    // The game's phrases: the set's own voice when it has one, the installed set's otherwise.
    const PhraseTexts phrases = PhraseTexts::ofSet(folder.root());
    for (int number = 1; number <= catalogue::phraseCount; ++number) {
        const QString name = catalogue::phraseVoiceNames().at(number - 1);
        out << name << '\t' << phrases.text(catalogue::Phrase(number)) << '\t'
            << (folder.isOwn(name) ? ownVoice : syntheticVoice);
        if (const QString old = wordcommands::saysOld(folder, name); !old.isEmpty())
            out << QStringLiteral(" (ditz « %1 »)").arg(old);
        out << '\n';
    }
}

// Each voice heard is named as it starts, with the words it says, as --list names them; the
// command ends with the last one.
void play(const CommandLine& line, QTextStream& out) {
    const QStringList rows =
        line.action() == CommandLine::Action::Play
            ? QStringList{SetFolder::checkedName(line.voice())}
            : VoicePlayer::rowsWith(QStringLiteral("sons_familles/%1.mp3")
                                        .arg(catalogue::titleNumber(line.number())));
    const SetFolder folder(line.folder().isEmpty() ? locations::userSet() : line.folder(),
                           locations::baseSet());
    const VoiceTexts texts = wordcommands::textsOf(folder);
    VoicePlayer player;
    QEventLoop loop;
    QObject::connect(&player, &VoicePlayer::started, &loop, [&out, &texts](const QString& row) {
        out << row << '\t' << texts.textOf(row) << '\n';
        out.flush();
    });
    QObject::connect(&player, &VoicePlayer::finished, &loop, &QEventLoop::quit);
    player.play(folder, rows);
    if (player.isPlaying())
        loop.exec();
    if (!player.problem().isEmpty())
        throw SetRefused(player.problem());
}

void act(const CommandLine& line, QTextStream& out) {
    using Action = CommandLine::Action;
    if (line.action() == Action::Play || line.action() == Action::PlayFamily)
        return play(line, out);
    if (line.action() == Action::PrintDeck || line.action() == Action::PrintAlignment)
        return deckcommands::act(line, out);
    if (line.action() == Action::Export || line.action() == Action::ImportSet ||
        line.action() == Action::UndoImport || line.action() == Action::RedoImport ||
        line.action() == Action::Picture || line.action() == Action::Word ||
        line.action() == Action::Page || line.action() == Action::Phrase ||
        ((line.action() == Action::Undo || line.action() == Action::Default) &&
         setcommands::isPicture(line.voice())))
        return setcommands::act(line, out);
    const QString name =
        line.action() == Action::List ? QString() : SetFolder::checkedName(line.voice());
    SetFolder folder(line.folder().isEmpty() ? locations::userSet() : line.folder(),
                     locations::baseSet());
    // The list only reads: a set never written to shows the default voices.
    if (line.action() == Action::List) {
        if (QFileInfo(folder.root()).exists() && !QFileInfo(folder.root()).isDir())
            throw SetRefused(QStringLiteral("%1 es pas un dorsièr").arg(folder.root()));
        return list(folder, out);
    }
    folder.fillFromDefaultSet();
    switch (line.action()) {
    case Action::Import:
        out << voicemaker::importFile(folder, line.file(), name) << '\n';
        wordcommands::recorded(folder, name);
        break;
    case Action::Undo:
        if (!folder.canUndo(name))
            throw SetRefused(QStringLiteral("Pas res de desfar per %1").arg(name));
        // A word's change comes back whole: its texts and pictures with its voice.
        for (const QString& stepped : folder.undo(name))
            out << (stepped == name ? QStringLiteral("%1 : votz precedenta tornada\n")
                                    : QStringLiteral("%1 : tornat amb la votz\n"))
                       .arg(stepped);
        break;
    case Action::Default:
        if (!folder.isChanged(name)) {
            out << QStringLiteral("%1 es ja la votz per defaut\n").arg(name);
            break;
        }
        folder.restoreDefault(name);
        out << QStringLiteral("%1 : votz per defaut tornada\n").arg(name);
        break;
    default:
        break;
    }
}

} // namespace

int run(const CommandLine& line, QTextStream& out, QTextStream& err) {
    try {
        // What an import stopped midway left beside the set goes at every start.
        setimport::sweep(line.system()             ? locations::classSet()
                         : line.folder().isEmpty() ? locations::userSet()
                                                   : line.folder());
        act(line, out);
        return exitDone;
    } catch (const Exception& error) {
        err << "mirabosc-record : " << error.message() << '\n';
    } catch (const std::exception& error) {
        err << "mirabosc-record : " << QString::fromLocal8Bit(error.what()) << '\n';
    }
    return exitRefused;
}

} // namespace voicecommands
