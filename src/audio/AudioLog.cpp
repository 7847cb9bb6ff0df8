// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The narration player's logging category.
#include "audio/AudioLog.h"

Q_LOGGING_CATEGORY(lcAudio, "mirabosc.audio", QtWarningMsg)
