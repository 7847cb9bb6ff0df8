// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The guard's error report.
#include "toolkit/Guard.h"

namespace guard {

void report(const QString& message) noexcept {
    try {
        dialogs::showErrorBox(message);
    } catch (...) {
        // The error box itself failing (out of memory) leaves nothing better to do than go on.
    }
}

} // namespace guard
