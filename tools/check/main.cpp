// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// mirabosc-check: reports what is wrong in an asset folder, read as the program itself reads it.
#include "MiraboscVersion.h"
#include "audio/MediaPlayerMP3.h"
#include "base/Errors.h"
#include "check/AssetCheck.h"
#include "check/ProgramReaders.h"
#include "pictures/PictureLoader.h"
#include "sets/Locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

constexpr int exitProblems = 1;
constexpr int exitUsage = 2;

const char* const usage =
    "Usatge : mirabosc-check [DORSIÈR_DELS_IMATGES_E_DELS_SONS]\n"
    "        mirabosc-check --folder\n"
    "        mirabosc-check --help | --version\n"
    "\n"
    "Verifica un jòc d'imatges e de votz coma lo legís Mirabosc ; sens dorsièr, lo que\n"
    "Mirabosc prendriá. Sortida 0 : cap de problèma ; 1 : problèmas ; 2 : error d'usatge.\n"
    "  --folder   lo dorsièr ont Mirabosc comença\n"
    "  --help     aquesta ajuda\n"
    "  --version  la version\n";

int check(QTextStream& out) {
    MediaPlayerMP3 player;
    const assetcheck::Readers readers = assetcheck::programReaders(player);
    std::vector<assetcheck::Finding> findings = assetcheck::checkCurrentFolder(readers);
    for (assetcheck::Finding& finding : assetcheck::checkSetFiles())
        findings.push_back(std::move(finding));
    int counts[3] = {};
    for (const assetcheck::Finding& finding : findings) {
        out << assetcheck::reportLine(finding) << '\n';
        ++counts[int(finding.severity)];
    }
    out << QStringLiteral("%1 fichièrs verificats : %2 problèma(s), %3 avertiment(s), "
                          "%4 remarca(s)\n")
               .arg(assetcheck::expectedFiles().size())
               .arg(counts[int(assetcheck::Severity::Problem)])
               .arg(counts[int(assetcheck::Severity::Warning)])
               .arg(counts[int(assetcheck::Severity::Note)]);
    return assetcheck::hasProblem(findings) ? exitProblems : 0;
}

} // namespace

int main(int argc, char* argv[]) {
    // The check opens narrations but never plays them: no sound card is needed.
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    // --folder: the folder the launcher starts the game in, the only answer to that question.
    if (arguments.size() == 2 && arguments[1] == QLatin1String("--folder")) {
        QTextStream(stdout) << locations::gameFolder() << '\n';
        return 0;
    }
    if (arguments.size() == 2 &&
        (arguments[1] == QLatin1String("--help") || arguments[1] == QLatin1String("-h"))) {
        QTextStream(stdout) << QString::fromUtf8(usage);
        return 0;
    }
    if (arguments.size() == 2 && arguments[1] == QLatin1String("--version")) {
        QTextStream(stdout) << "mirabosc-check " << MIRABOSC_VERSION << '\n';
        return 0;
    }
    const bool named = arguments.size() == 2;
    if (arguments.size() > 2 || (named && arguments[1].startsWith(QLatin1Char('-')))) {
        err << QString::fromUtf8(usage);
        return exitUsage;
    }
    // With no folder named, the one the launcher would start the program in.
    const QString folder = named ? arguments[1] : locations::gameFolder();
    if (!QFileInfo(folder).isDir() || !QDir::setCurrent(folder)) {
        err << QStringLiteral("mirabosc-check : dorsièr introbable : %1\n").arg(folder);
        return exitUsage;
    }
    QTextStream out(stdout);
    if (!named)
        out << QStringLiteral("Dorsièr verificat : %1\n").arg(folder);
    try {
        return check(out);
    } catch (const Exception& error) {
        err << "mirabosc-check : " << error.message() << '\n';
        return exitProblems;
    }
}
