// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// ExtraireNombre: a single left-to-right scan that stops after the run it wants.
#include "text/fichiers_Chaines.h"

#include "base/Errors.h"

#include <string>

static bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int32_t ExtraireNombre(std::string_view text, int32_t n, int32_t def) {
    bool inRun = false;
    int32_t runs = 0;
    bool found = false;
    bool negative = false;
    std::string digits;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            if (!inRun) {
                ++runs;
                if (runs == n) {
                    found = true;
                    negative = i > 0 && text[i - 1] == '-';
                }
            }
            inRun = true;
            if (runs == n)
                digits.push_back(c);
        } else {
            if (inRun && runs == n)
                break;
            inRun = false;
        }
    }
    if (!found)
        return def;

    // Accumulate in 64 bits, giving up as soon as the value leaves the 32-bit range.
    int64_t value = 0;
    for (const char digit : digits) {
        value = value * 10 + (digit - '0');
        if (value > int64_t(INT32_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    if (value < INT32_MIN || value > INT32_MAX)
        throw EConvertError(QStringLiteral("'%1' n'est pas une valeur entière correcte")
                                .arg(QLatin1String(negative ? "-" : "") +
                                     QString::fromLatin1(digits.data(), qsizetype(digits.size()))));
    return int32_t(value);
}

int32_t ExtraireNombre(const QString& text, int32_t n, int32_t def) {
    const QByteArray bytes = text.toLatin1(); // non-Latin-1 characters become '?', never a digit
    return ExtraireNombre(std::string_view(bytes.constData(), size_t(bytes.size())), n, def);
}
