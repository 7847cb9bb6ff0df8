// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The handler guard: every screen handler runs through it, so no error crosses Qt's event loop.
#pragma once

#include "base/Errors.h"
#include "toolkit/Dialogs.h"

#include <exception>
#include <utility>

namespace guard {

// Shows an error in the error box; itself never throws.
void report(const QString& message) noexcept;

// Runs a handler. An error ends it at the step that raised it and is shown in the error box;
// what the handler did before stays done. Returns whether the handler ran to its end.
template <class Handler> bool run(Handler&& handler) noexcept {
    try {
        std::forward<Handler>(handler)();
        return true;
    } catch (const Exception& e) {
        report(e.message());
    } catch (const std::exception& e) {
        report(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        report(QString());
    }
    return false;
}

} // namespace guard
