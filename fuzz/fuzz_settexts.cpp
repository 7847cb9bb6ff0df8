// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes given as a set's texts (familles.txt, album.txt and votz.txt, split at
// NUL bytes) are refused with a message, or are a set's words; a word and a page changed on them
// give files that read again as the same words, the changes included; the word's change taken
// back by its rows gives the words again.
#include "base/Errors.h"
#include "sets/SetTexts.h"
#include "sets/TextRows.h"

#include <QByteArrayList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

const QString word = QStringLiteral("lo nàs");
const QString page = QStringLiteral("Un tèxte novèl.");

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_settexts: %s\n", what);
    std::abort();
}

SetTexts readAgain(const SetTexts& texts) {
    QByteArrayList parts(3);
    const auto files = texts.files();
    for (size_t i = 0; i < files.size() && i < 3; ++i)
        parts[qsizetype(i)] = files[i].second;
    return SetTexts::fromBytes(parts[0], parts[1], parts[2]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArrayList parts =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)).split('\0');
    parts.resize(3);
    SetTexts texts;
    try {
        texts = SetTexts::fromBytes(parts[0], parts[1], parts[2]);
        texts.content();
    } catch (const Exception&) {
        return 0; // a refusal with a message is the expected answer to most inputs
    }
    // What the set's own reader took, written again, is read again as the same words.
    try {
        const SetTexts again = readAgain(texts);
        if (again.families() != texts.families() || again.album() != texts.album())
            fail("texts written again read as other words");
    } catch (const Exception& e) {
        fail("texts the reader took are refused once written again");
    }
    const int number = 2 + int(size % 55);
    const int pageNumber = 1 + int(size % 17);
    const QString families = texts.families();
    const QByteArray own = texts.files()[0].second;
    try {
        texts.setWord(number, word);
        texts.setPage(pageNumber, page);
    } catch (const SetRefused&) {
        return 0; // a number the set does not have, said so
    }
    // The word's change taken back by its rows, as an undo after later changes takes it, gives the
    // words the set had.
    const QByteArray changed = texts.files()[0].second;
    try {
        const QByteArray back =
            TextRows::withRowsBack(QStringLiteral("familles.txt"), changed, own, changed);
        if (SetTexts::fromBytes(back, {}).families() != families)
            fail("a change taken back by its rows leaves other words");
    } catch (const Exception&) {
        fail("a change taken back by its rows is refused");
    }
    try {
        const SetTexts changed = readAgain(texts);
        changed.content();
        if (!changed.families().contains(word) || !changed.album().contains(page))
            fail("a changed word or page is lost once written");
    } catch (const Exception&) {
        fail("a word or page change wrote texts its own reader refuses");
    }
    return 0;
}
