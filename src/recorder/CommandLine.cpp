// Every action is checked here, before the program opens a window or touches a folder.
#include "recorder/CommandLine.h"

#include <QCommandLineParser>

namespace {

const QString folderOption = QStringLiteral("folder");
const QString importOption = QStringLiteral("import");
const QString toOption = QStringLiteral("to");
const QString undoOption = QStringLiteral("undo");
const QString defaultOption = QStringLiteral("default");
const QString listOption = QStringLiteral("list");
const QString helpOption = QStringLiteral("help");
const QString versionOption = QStringLiteral("version");

QList<QCommandLineOption> options() {
    const QString voice = QStringLiteral("RELPATH");
    return {{folderOption, {}, QStringLiteral("DIR")},
            {importOption, {}, QStringLiteral("FILE")},
            {toOption, {}, voice},
            {undoOption, {}, voice},
            {defaultOption, {}, voice},
            QCommandLineOption(listOption),
            QCommandLineOption(QStringList{helpOption, QStringLiteral("h")}),
            QCommandLineOption(versionOption)};
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
    if (!parser.positionalArguments().isEmpty()) {
        line.error_ = QStringLiteral("argument inesperat : %1")
                          .arg(parser.positionalArguments().constFirst());
        return line;
    }
    const std::pair<QString, Action> actions[] = {{importOption, Action::Import},
                                                  {undoOption, Action::Undo},
                                                  {defaultOption, Action::Default},
                                                  {listOption, Action::List}};
    int chosen = 0;
    for (const auto& [option, action] : actions)
        if (parser.isSet(option)) {
            line.action_ = action;
            ++chosen;
        }
    if (chosen > 1)
        line.error_ = QStringLiteral("una sola accion a la còp : --import, --undo, --default o "
                                     "--list");
    else if (parser.isSet(importOption) != parser.isSet(toOption))
        line.error_ = QStringLiteral("--import e --to van amassa");
    line.folder_ = valueOf(parser, folderOption, line.error_);
    line.file_ = valueOf(parser, importOption, line.error_);
    for (const QString& option : {toOption, undoOption, defaultOption})
        if (parser.isSet(option))
            line.voice_ = valueOf(parser, option, line.error_);
    return line;
}

QString CommandLine::usage() {
    return QStringLiteral(
        "Usatge : mirabosc-record [--folder DIR]\n"
        "         mirabosc-record [--folder DIR] --import FICHIÈR --to VOTZ\n"
        "         mirabosc-record [--folder DIR] --undo VOTZ\n"
        "         mirabosc-record [--folder DIR] --default VOTZ\n"
        "         mirabosc-record [--folder DIR] --list\n"
        "         mirabosc-record --help | --version\n"
        "\n"
        "Sens accion, dobrís la fenèstra de las votz.\n"
        "  --folder DIR      lo dorsièr de las votz (per defaut, lo vòstre)\n"
        "  --import FICHIÈR  importa un son WAV, FLAC, Ogg o MP3 coma la votz VOTZ\n"
        "  --to VOTZ         la votz remplaçada, coma sons_familles/12.mp3 o son_album/3.mp3\n"
        "  --undo VOTZ       torna la votz d'abans lo darrièr cambiament\n"
        "  --default VOTZ    torna la votz per defaut\n"
        "  --list            cada votz, sas paraulas e se es la vòstra\n"
        "  --help            aquesta ajuda\n"
        "  --version         la version\n");
}
