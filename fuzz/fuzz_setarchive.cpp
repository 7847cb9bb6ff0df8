// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes given as a set archive are refused with a message, or become a whole
// set beside a throw-away folder; nothing is written outside it.
#include "base/Errors.h"
#include "sets/SafeWrite.h"
#include "sets/SetImport.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QString installed;
QTemporaryDir* work = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    // The installed set whose names an archive may hold, as run.sh gives it.
    installed = QString::fromLocal8Bit(qgetenv("MIRABOSC_FUZZ_SET"));
    if (!QFileInfo::exists(installed + QStringLiteral("/sons_familles/1.mp3"))) {
        std::fprintf(stderr, "fuzz_setarchive: MIRABOSC_FUZZ_SET names no installed set\n");
        std::abort();
    }
    work = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString archive = work->filePath(QStringLiteral("set.mirabosc"));
    const QString target = work->filePath(QStringLiteral("set"));
    QFile::remove(archive);
    safewrite::writeUnsynced(archive,
                             QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    try {
        setimport::checkEntries(archive, setarchive::read(archive, installed));
        // Accepted: the whole import, the check of the set aside (the checker has its own
        // targets).
        setimport::install(
            archive, target, installed, installed, [](const QString&) { return QString(); },
            [] { return false; });
    } catch (const Exception&) {
        // A refusal with a message is the expected answer to most inputs.
    }
    QDir(target).removeRecursively();
    QDir(target + setimport::previousSuffix).removeRecursively();
    const QStringList left =
        QDir(work->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    if (left.size() > 1) {
        std::fprintf(stderr, "fuzz_setarchive: the import left %s\n",
                     qPrintable(left.join(QLatin1Char(' '))));
        std::abort();
    }
    return 0;
}
