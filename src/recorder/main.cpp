// mirabosc-record: the window that records the game's voices, or one import from the command line.
#include "recorder/RecorderWindow.h"
#include "voices/Locations.h"
#include "voices/VoiceFolder.h"
#include "voices/VoiceMaker.h"
#include "voices/VoiceRefused.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTextStream>
#include <cstring>
#include <memory>

namespace {

constexpr int exitRefused = 1;
constexpr int exitUsage = 2;
const QString title = QStringLiteral("Las votz de Mirabosc");

struct Options {
    QString folder;
    QString importFile;
    QString target;
};

// Reads the options, or returns the usage error to report.
QString parse(const QStringList& arguments, Options& options) {
    QCommandLineParser parser;
    const QCommandLineOption folder(
        QStringLiteral("folder"), QStringLiteral("Lo dorsièr de las votz"), QStringLiteral("DIR"));
    const QCommandLineOption import(QStringLiteral("import"),
                                    QStringLiteral("Un enregistrament d'importar"),
                                    QStringLiteral("FILE"));
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("La votz remplaçada, coma sons_familles/12.mp3"),
                                QStringLiteral("RELPATH"));
    parser.addOptions({folder, import, to});
    if (!parser.parse(arguments))
        return parser.errorText();
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("argument inesperat : %1").arg(parser.positionalArguments().first());
    if (parser.isSet(import) != parser.isSet(to))
        return QStringLiteral("--import e --to van amassa");
    options = {parser.isSet(folder) ? parser.value(folder) : locations::userSet(),
               parser.value(import), parser.value(to)};
    return {};
}

int importFromCommandLine(const Options& options) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    try {
        VoiceFolder folder(options.folder, locations::installedDefaultSet());
        folder.fillFromDefaultSet();
        out << voicemaker::importFile(folder, options.importFile, options.target) << '\n';
        return 0;
    } catch (const Exception& error) {
        err << "mirabosc-record : " << error.message() << '\n';
        return exitRefused;
    }
}

int runWindow(QApplication& app, const Options& options) {
    QApplication::setApplicationDisplayName(title);
    auto folder = std::make_unique<VoiceFolder>(options.folder, locations::installedDefaultSet());
    try {
        folder->fillFromDefaultSet();
    } catch (const Exception& error) {
        QMessageBox::critical(nullptr, title, error.message());
        return exitRefused;
    }
    RecorderWindow window(std::move(folder));
    window.show();
    return app.exec();
}

bool wantsImport(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--import", std::strlen("--import")) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    // Only the command line's import: no window system needed.
    std::unique_ptr<QCoreApplication> app;
    if (wantsImport(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    Options options;
    if (const QString error = parse(QCoreApplication::arguments(), options); !error.isEmpty()) {
        QTextStream(stderr) << "mirabosc-record : " << error << '\n'
                            << "Usatge : mirabosc-record [--folder DIR] "
                               "[--import FILE --to RELPATH]\n";
        return exitUsage;
    }
    if (!options.importFile.isEmpty())
        return importFromCommandLine(options);
    return runWindow(static_cast<QApplication&>(*app), options);
}
