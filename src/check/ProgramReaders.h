// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The checker reads files as the program does: its own picture loader and narration player.
#pragma once

#include "audio/MediaPlayerMP3.h"
#include "check/AssetCheck.h"
#include "pictures/PictureLoader.h"

namespace assetcheck {

// The player is opened on each sound in turn; it must outlive the readers.
inline Readers programReaders(MediaPlayerMP3& player) {
    return {[](const QString& path) { return pictures::loadPicture(path).size(); },
            [&player](const QString& path) {
                player.close();
                player.setFileName(path);
                player.open();
            }};
}

} // namespace assetcheck
