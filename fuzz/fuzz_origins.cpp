// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes given as a set's record of origins (originas.txt) give the marks of its
// readable lines, each other line named as a problem; the record written back from those marks
// reads again as the same marks, with no problem.
#include "sets/FileOrigins.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_origins: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList problems;
    const FileOrigins read = FileOrigins::parse(text, &problems);
    QStringList again;
    const FileOrigins written = FileOrigins::parse(read.text(), &again);
    if (!again.isEmpty())
        fail("a record written from read marks has unreadable lines");
    if (written.marks() != read.marks())
        fail("a record written and read again gives other marks");
    for (auto mark = read.marks().begin(); mark != read.marks().end(); ++mark)
        if (mark.value() == FileOrigins::Origin::Default)
            fail("a default origin is kept as a mark");
    return 0;
}
