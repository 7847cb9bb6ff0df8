// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Whether this build runs under AddressSanitizer, as GCC and clang each say it.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define MIRABOSC_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRABOSC_ADDRESS_SANITIZER 1
#endif
#endif
