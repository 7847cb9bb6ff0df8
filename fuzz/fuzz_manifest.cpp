// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any files given as an archive's content are refused by the manifest's check with a
// message, or give origins only for files the archive holds. The input is the archive's entries
// unpacked (a name line, a 4-byte little-endian length, the bytes; again), so that the fuzzer
// reaches the manifest and its hashes rather than the deflate stream around them.
#include "base/Errors.h"
#include "sets/SetArchive.h"
#include "sets/SetManifest.h"

#include <QSet>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_manifest: %s\n", what);
    std::abort();
}

std::vector<setarchive::Entry> unpacked(const char* data, size_t size) {
    std::vector<setarchive::Entry> entries;
    size_t at = 0;
    while (at < size) {
        const auto* newline = static_cast<const char*>(std::memchr(data + at, '\n', size - at));
        if (newline == nullptr || size_t(newline - data) + 5 > size)
            break;
        const QString name = QString::fromUtf8(data + at, newline - (data + at));
        at = size_t(newline - data) + 1;
        const auto* length = reinterpret_cast<const unsigned char*>(data + at);
        const size_t count = std::min<size_t>(
            size - at - 4, length[0] | length[1] << 8 | length[2] << 16 | size_t(length[3]) << 24);
        entries.push_back({name, QByteArray(data + at + 4, qsizetype(count))});
        at += 4 + count;
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<setarchive::Entry> entries =
        unpacked(reinterpret_cast<const char*>(data), size);
    FileOrigins origins;
    try {
        origins = setmanifest::verify(entries);
    } catch (const SetRefused&) {
        return 0; // a refusal with a message is the expected answer to most inputs
    }
    QSet<QString> held;
    for (const setarchive::Entry& entry : entries)
        held.insert(entry.name);
    for (auto mark = origins.marks().begin(); mark != origins.marks().end(); ++mark)
        if (!held.contains(mark.key()) || mark.key() == setmanifest::fileName)
            fail("an origin for a file the archive does not hold");
    return 0;
}
