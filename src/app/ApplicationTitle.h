// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The application title, derived from the program file's name.
#pragma once

#include <QString>

// The file name without its folder, cut before its first '.', every character after the first
// in lower case: "C:\\x\\MIRABOSC.EXE" gives "Mirabosc".
QString applicationTitle(const QString& programPath);
