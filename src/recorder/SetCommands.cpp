// A set is exported from the folder the game would use and imported into the user's set, or the
// computer's class set with --system.
#include "recorder/SetCommands.h"

#include "recorder/CommandLine.h"
#include "recorder/SetCheck.h"
#include "voices/Locations.h"
#include "voices/SetArchive.h"
#include "voices/SetImport.h"
#include "voices/VoiceRefused.h"

#include <QTextStream>

namespace setcommands {

namespace {

QString installedSet() {
    const QString installed = locations::installedDefaultSet();
    if (installed.isEmpty())
        throw VoiceRefused(QStringLiteral("Lo jòc installat es introbable"));
    return installed;
}

void exportSet(const CommandLine& line, QTextStream& out) {
    const QString set = line.folder().isEmpty() ? locations::gameFolder() : line.folder();
    const int count = setarchive::write(set, installedSet(), line.file());
    out << QStringLiteral("%1 : %2 fichièr(s) de %3\n").arg(line.file()).arg(count).arg(set);
}

void importSet(const CommandLine& line, QTextStream& out) {
    const QString target = line.system()             ? locations::classSet()
                           : line.folder().isEmpty() ? locations::userSet()
                                                     : line.folder();
    setimport::install(line.file(), target, installedSet(), &setcheck::problems);
    out << QStringLiteral("%1 : jòc mes a %2\n").arg(line.file(), target);
}

} // namespace

void act(const CommandLine& line, QTextStream& out) {
    switch (line.action()) {
    case CommandLine::Action::Export:
        return exportSet(line, out);
    case CommandLine::Action::ImportSet:
        return importSet(line, out);
    default:
        throw VoiceRefused(QStringLiteral("accion desconeguda"));
    }
}

} // namespace setcommands
