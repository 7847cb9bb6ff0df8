// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The system's errors as a teacher reads them: said in Occitan, the system's own text after it.
#pragma once

#include <QString>

class QFileDevice;

namespace systemerrors {

// The C library's error, as "permission refusada (Permission denied)".
QString describe(int error);
// What went wrong with a file Qt opened, read or wrote, the same way.
QString describe(const QFileDevice& file);
// A library's error with its own text: said by its C library error when it has one (error > 0),
// else by what the library failed at ("archiu damatjat").
QString describe(int error, const QString& libraryText, const QString& whenNoError);

} // namespace systemerrors
