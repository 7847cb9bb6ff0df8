// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// mirabosc-assetgen: draws and records the default asset set from the text files of data/.
#include "ContactSheet.h"
#include "Content.h"
#include "Generator.h"
#include "Speaker.h"
#include "assets/PhraseTexts.h"
#include "base/Errors.h"
#include "takes/Respeller.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

namespace {

const char* const usage = "Usage : mirabosc-assetgen [--data DOSSIER] DOSSIER_DE_SORTIE\n"
                          "        mirabosc-assetgen [--data DOSSIER] --contact-sheet FICHIER.png\n"
                          "        mirabosc-assetgen [--data DOSSIER] --say TEXTE\n";

struct Options {
    QString dataDir = QStringLiteral(MIRABOSC_DATA_DIR);
    QString outputDir;
    QString contactSheet;
    QString say;
    bool sayGiven = false;
};

// Returns false on a command line that cannot be understood.
bool parse(const QStringList& arguments, Options& options) {
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == QLatin1String("--data") && hasValue) {
            options.dataDir = arguments[++i];
        } else if (argument == QLatin1String("--contact-sheet") && hasValue) {
            options.contactSheet = arguments[++i];
        } else if (argument == QLatin1String("--say") && hasValue) {
            options.say = arguments[++i];
            options.sayGiven = true;
        } else if (!argument.startsWith(QLatin1Char('-')) && options.outputDir.isEmpty()) {
            options.outputDir = argument;
        } else {
            return false;
        }
    }
    const int modes = int(!options.outputDir.isEmpty()) + int(!options.contactSheet.isEmpty()) +
                      int(options.sayGiven);
    return modes == 1;
}

int run(const Options& options) {
    const QDir data(options.dataDir);
    const assetgen::Respeller respeller = assetgen::Respeller::parse(
        assetgen::ContentReader::readTextFile(data.filePath(QStringLiteral("prononciation.txt"))),
        QStringLiteral("prononciation.txt"));
    const assetgen::Speaker speaker(respeller);
    QTextStream out(stdout);
    if (options.sayGiven) {
        out << speaker.respelled(options.say) << '\n' << speaker.phonemes(options.say) << '\n';
        return 0;
    }
    const assetgen::Content content = assetgen::ContentReader::read(options.dataDir);
    const PhraseTexts phrases = PhraseTexts::parse(
        assetgen::ContentReader::readTextFile(data.filePath(catalogue::phrasesText)),
        catalogue::phrasesText);
    const assetgen::Generator generator(content, phrases, speaker);
    generator.checkResources();
    if (!options.contactSheet.isEmpty()) {
        if (!assetgen::ContactSheet::render(content).save(options.contactSheet, "PNG"))
            throw EFOpenError(QStringLiteral("Impossible d'écrire %1").arg(options.contactSheet));
        return 0;
    }
    generator.writeAll(options.outputDir);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    Options options;
    if (!parse(arguments, options)) {
        QTextStream(stderr) << usage;
        return 2;
    }
    QGuiApplication app(argc, argv);
    try {
        return run(options);
    } catch (const Exception& error) {
        QTextStream(stderr) << "mirabosc-assetgen : " << error.message() << '\n';
        return 1;
    }
}
