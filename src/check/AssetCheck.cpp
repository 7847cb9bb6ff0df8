// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the asset check: which files must exist, how each is read, what its size means.
#include "check/AssetCheck.h"

#include "assets/Catalogue.h"
#include "assets/ContentReader.h"
#include "assets/DisplaySizes.h"
#include "assets/PhraseTexts.h"
#include "assets/TextLayers.h"
#include "assets/TextsReader.h"
#include "base/Errors.h"
#include "check/SetAgreement.h"
#include "pictures/PictureArt.h"
#include "sets/FileOrigins.h"
#include "sets/SetTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace assetcheck {

namespace {

const char* const folders[] = {"img_album", "son_album", "img_familles", "sons_familles"};

QString sizeText(QSize size) {
    return QStringLiteral("%1 x %2").arg(size.width()).arg(size.height());
}

std::optional<Finding> readFailure(const ExpectedFile& file, const Readers& readers) {
    const auto problem = [&file](const QString& what) {
        return Finding{file.path, Severity::Problem, what};
    };
    try {
        if (file.kind == Kind::Sound) {
            readers.openSound(file.path);
            return std::nullopt;
        }
        const QSize size = readers.pictureSize(file.path);
        if (size.isEmpty())
            return problem(QStringLiteral("imatge void"));
        return judgeSize(file, size);
    } catch (const EFOpenError&) {
        // The game's readers say why in the game's own French; a teacher reads Occitan here.
        return problem(QStringLiteral("illegible : lo fichièr se pòt pas dobrir (un dorsièr, un "
                                      "ligam copat o sens drech de lectura)"));
    } catch (const EMCIDeviceError&) {
        return problem(QStringLiteral("MP3 illegible : lo jòc i tròba pas de son"));
    } catch (const Exception&) {
        // EInvalidGraphic and EReadError: the loader refused the bitmap's content.
        return problem(
            QStringLiteral("imatge BMP pas valid : damatjat, copat o d'un autre format"));
    }
}

} // namespace

std::vector<ExpectedFile> expectedFiles() {
    std::vector<ExpectedFile> files;
    for (int page = 1; page <= catalogue::albumPageCount; ++page) {
        files.push_back({catalogue::albumPicture(page), Kind::AlbumPage});
        files.push_back({catalogue::albumNarration(page), Kind::Sound});
    }
    for (int family = 1; family <= catalogue::familyCount; ++family) {
        const int title = catalogue::titleNumber(family);
        files.push_back({catalogue::cardSound(title), Kind::Sound});
        files.push_back({catalogue::miniature(catalogue::cardNumber(family, 1)), Kind::Miniature});
        for (const int card : catalogue::familyCards(family)) {
            files.push_back({catalogue::smallCard(card), Kind::SmallCard});
            files.push_back({catalogue::largeCard(card), Kind::LargeCard});
            files.push_back({catalogue::cardSound(card), Kind::Sound});
        }
    }
    files.push_back({catalogue::blankCard(), Kind::LargeCard});
    return files;
}

QSize displaySize(Kind kind) {
    switch (kind) {
    case Kind::AlbumPage:
        return displaysize::albumPage;
    case Kind::Miniature:
        return displaysize::miniature;
    case Kind::SmallCard:
        return displaysize::smallCard;
    case Kind::LargeCard:
        return displaysize::largeCard;
    case Kind::Sound:
        break;
    }
    return {};
}

bool scaledDownWhenLarger(Kind kind) {
    return kind == Kind::AlbumPage || kind == Kind::LargeCard;
}

std::optional<Finding> judgeSize(const ExpectedFile& file, QSize size) {
    const QSize display = displaySize(file.kind);
    if (size == display)
        return std::nullopt;
    const QString sizes =
        QStringLiteral("%1 per un afichatge de %2").arg(sizeText(size), sizeText(display));
    if (size.width() > display.width() || size.height() > display.height()) {
        if (scaledDownWhenLarger(file.kind))
            return Finding{
                file.path, Severity::Warning,
                QStringLiteral("imatge mai granda que l'afichatge, reducha a l'ecran : %1")
                    .arg(sizes)};
        return Finding{
            file.path, Severity::Problem,
            QStringLiteral("imatge mai granda que l'afichatge, copada a l'ecran : %1").arg(sizes)};
    }
    return Finding{file.path, Severity::Note,
                   QStringLiteral("imatge mai pichona que l'afichatge : %1").arg(sizes)};
}

std::vector<Finding> checkCurrentFolder(const Readers& readers) {
    std::vector<Finding> findings;
    QSet<QString> expected;
    for (const ExpectedFile& file : expectedFiles()) {
        expected.insert(QDir::cleanPath(catalogue::resolve(file.path)));
        const QFileInfo info(catalogue::resolve(file.path));
        if (!info.exists()) {
            findings.push_back({file.path, Severity::Problem, QStringLiteral("fichièr mancant")});
            continue;
        }
        if (const auto failure = readFailure(file, readers))
            findings.push_back(*failure);
    }
    // The game's phrases are the set's own only when it has them: a set made before the game
    // plays with the installed set's.
    for (int number = 1; number <= catalogue::phraseCount; ++number) {
        const ExpectedFile voice{catalogue::phraseVoice(catalogue::Phrase(number)), Kind::Sound};
        if (QFileInfo::exists(catalogue::resolve(voice.path)))
            if (const auto failure = readFailure(voice, readers))
                findings.push_back(*failure);
    }
    for (const char* folder : folders) {
        const QDir dir(catalogue::resolve(QLatin1String(folder)));
        QStringList names = dir.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        std::sort(names.begin(), names.end());
        for (const QString& name : names)
            if (!expected.contains(QDir::cleanPath(dir.filePath(name))))
                findings.push_back({QLatin1String(folder) + QLatin1Char('\\') + name,
                                    Severity::Note,
                                    QStringLiteral("fichièr que lo programa demanda pas jamai")});
    }
    return findings;
}

std::vector<Finding> checkSetFiles() {
    std::vector<Finding> findings;
    // Every line that breaks the set's rules, by the reader the game and the workshop use.
    QStringList problems;
    if (QFileInfo::exists(catalogue::textsFolder))
        for (const QString& text :
             {catalogue::familiesText, catalogue::albumText, catalogue::voiceMarksText}) {
            const QString name = catalogue::textName(text);
            if (text == catalogue::voiceMarksText && !QFileInfo::exists(name))
                continue;
            try {
                // The words as the game reads them: the set's own rows over its base's.
                const QStringList layers = content::TextLayers::folders(QStringLiteral("."));
                if (text == catalogue::familiesText)
                    content::ContentReader::parseFamilies(
                        content::TextLayers::read(layers, text, &problems), name, &problems);
                else if (text == catalogue::albumText)
                    content::ContentReader::parsePages(
                        content::TextLayers::read(layers, text, &problems), name, &problems);
                else
                    SetTexts::parseMarks(content::TextsReader::readFile(name, name), &problems);
            } catch (const Exception& error) {
                problems << error.message();
            }
        }
    FileOrigins::load(QStringLiteral("."), &problems);
    for (const QString& problem : problems)
        findings.push_back({problem.section(QLatin1Char(','), 0, 0).section(QLatin1Char(' '), 0, 0),
                            Severity::Problem, problem});
    for (Finding& finding : disagreements())
        findings.push_back(std::move(finding));
    const QString phrases = catalogue::textName(catalogue::phrasesText);
    if (QFileInfo::exists(phrases)) {
        try {
            PhraseTexts::parse(content::ContentReader::readTextFile(phrases),
                               catalogue::phrasesText);
        } catch (const Exception& error) {
            findings.push_back({phrases, Severity::Problem, error.message()});
        }
    }
    const QDir drawings(QStringLiteral("dessenhs"));
    for (const QString& name : drawings.entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                  QDir::Hidden | QDir::System)) {
        const QString path = QStringLiteral("dessenhs\\") + name;
        const QFileInfo info(drawings.filePath(name));
        try {
            QFile file(info.filePath());
            if (info.isSymLink() || !info.isFile() || !file.open(QIODevice::ReadOnly))
                throw SetRefused(QStringLiteral("es pas un fichièr ordinari"));
            PictureArt::checkKept(path, file.readAll());
        } catch (const Exception& error) {
            findings.push_back({path, Severity::Problem, error.message()});
        }
    }
    return findings;
}

bool hasProblem(const std::vector<Finding>& findings) {
    return std::any_of(findings.begin(), findings.end(),
                       [](const Finding& f) { return f.severity == Severity::Problem; });
}

QString reportLine(const Finding& finding) {
    static const char* const labels[] = {"remarca", "avertiment", "PROBLÈMA"};
    return QStringLiteral("%1\t%2 : %3")
        .arg(QString::fromUtf8(labels[int(finding.severity)]), finding.path, finding.message);
}

} // namespace assetcheck
