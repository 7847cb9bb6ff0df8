// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The list of files to make, one job each: sounds on a thread pool, pictures on this thread.
#include "Generator.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "cardart/AlbumPainter.h"
#include "cardart/CardPainter.h"
#include "cardart/EmojiRenderer.h"
#include "cardart/Style.h"

#include <QDir>
#include <QFontDatabase>
#include <QMutex>
#include <QThreadPool>
#include <exception>

namespace assetgen {

namespace {

void saveBmp(const QImage& image, const QString& file) {
    if (!image.convertToFormat(QImage::Format_RGB888).save(file, "BMP"))
        throw EFOpenError(QStringLiteral("Impossible d'écrire %1").arg(file));
}

const Card& cardOf(const Family& family, int number) {
    return family.cards.at(number - catalogue::titleNumber(family.index) - 1);
}

} // namespace

Generator::Generator(Content content, PhraseTexts phrases, Speaker speaker)
    : content_(std::move(content)), phrases_(std::move(phrases)), speaker_(std::move(speaker)) {}

void Generator::checkResources() const {
    const QStringList families = QFontDatabase::families();
    for (const char* font : {style::wordFont, style::titleFont, style::emojiFont})
        if (!families.contains(QString::fromLatin1(font)))
            throw EFOpenError(QStringLiteral("Police introuvable : %1").arg(QLatin1String(font)));
    const auto checkEmoji = [](const QString& emoji, const QString& where) {
        if (!emoji.isEmpty() && !EmojiRenderer::supports(emoji))
            throw EReadError(QStringLiteral("%1 : la police %2 n'a pas ce pictogramme")
                                 .arg(where, QLatin1String(style::emojiFont)));
    };
    for (const Family& family : content_.families)
        for (const Card& card : family.cards)
            checkEmoji(card.picture.emoji, QStringLiteral("carte %1").arg(card.number));
    for (const AlbumPage& page : content_.pages)
        for (const SceneItem& item : page.items)
            checkEmoji(item.emoji, QStringLiteral("page %1").arg(page.number));
    Speaker::checkTools();
}

std::vector<Generator::Job> Generator::jobs() const {
    std::vector<Job> list;
    const Content& content = content_;
    const Speaker& speaker = speaker_;
    for (const auto& [voice, text] : ContentReader::spokenTexts(content))
        list.push_back(
            {voice, [&speaker, text = text](const QString& f) { speaker.record(text, f); }, true});
    for (int number = 1; number <= catalogue::phraseCount; ++number) {
        const auto phrase = catalogue::Phrase(number);
        list.push_back({catalogue::phraseVoice(phrase),
                        [&speaker, text = phrases_.spoken(phrase)](const QString& f) {
                            speaker.record(text, f);
                        },
                        true});
    }
    for (const AlbumPage& page : content.pages)
        list.push_back({catalogue::albumPicture(page.number),
                        [&page](const QString& f) { saveBmp(AlbumPainter::page(page), f); }});
    for (const Family& family : content.families) {
        const int first = catalogue::cardNumber(family.index, 1);
        list.push_back({catalogue::miniature(first), [&family](const QString& f) {
                            saveBmp(CardPainter::miniature(family), f);
                        }});
        for (const int number : catalogue::familyCards(family.index)) {
            const Card& card = cardOf(family, number);
            list.push_back({catalogue::smallCard(number), [&family, &card](const QString& f) {
                                saveBmp(CardPainter::smallCard(family, card), f);
                            }});
            list.push_back({catalogue::largeCard(number), [&family, &card](const QString& f) {
                                saveBmp(CardPainter::largeCard(family, card), f);
                            }});
        }
    }
    list.push_back({catalogue::blankCard(), [&content](const QString& f) {
                        saveBmp(CardPainter::blankCard(content.families), f);
                    }});
    return list;
}

void Generator::writeAll(const QString& outputDir) const {
    QDir out(outputDir);
    QStringList folders{QLatin1String(catalogue::phraseFolder)};
    for (const char* folder : catalogue::assetFolders)
        folders << QLatin1String(folder);
    for (const QString& folder : folders)
        if (!out.mkpath(folder))
            throw EFOpenError(
                QStringLiteral("Impossible de créer le dossier %1").arg(out.filePath(folder)));

    const std::vector<Job> list = jobs();
    QMutex mutex;
    std::exception_ptr firstError;
    const auto runJob = [&mutex, &firstError](const Job& job, const QString& file) {
        try {
            job.write(file);
        } catch (...) {
            const QMutexLocker lock(&mutex);
            if (!firstError)
                firstError = std::current_exception();
        }
    };
    // The voices are espeak-ng runs and the pipeline, on a pool while this thread draws. The
    // pictures stay on one thread: Qt's font engines, shared between threads, can round glyph
    // outlines differently from one run to the next, and the set must come out the same every time.
    QThreadPool pool;
    for (const Job& job : list)
        if (job.sound)
            pool.start([&runJob, &job, file = out.filePath(catalogue::toNativeRelative(job.path))] {
                runJob(job, file);
            });
    for (const Job& job : list)
        if (!job.sound)
            runJob(job, out.filePath(catalogue::toNativeRelative(job.path)));
    pool.waitForDone();
    if (firstError)
        std::rethrow_exception(firstError);
}

} // namespace assetgen
