// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The title rule.
#include "app/ApplicationTitle.h"

QString applicationTitle(const QString& programPath) {
    const qsizetype slash = std::max(programPath.lastIndexOf(QLatin1Char('/')),
                                     programPath.lastIndexOf(QLatin1Char('\\')));
    QString name = programPath.mid(slash + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.size() > 1)
        name = name.left(1) + name.mid(1).toLower();
    return name;
}
