// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A voice's content is compared with the default set's only when its file's identity changes:
// every write replaces the file by a rename, so a new inode, size or time tells a change.
#include "workshop/VoiceStates.h"

#include "assets/Catalogue.h"
#include "sets/SetFolder.h"

#include <QFile>
#include <sys/stat.h>
#include <utility>

VoiceStates::VoiceStates(const SetFolder& folder) : folder_(folder) {}

VoiceStates::Signature VoiceStates::signatureOf(const QString& name) const {
    struct stat info = {};
    if (::stat(QFile::encodeName(folder_.pathOf(name)).constData(), &info) != 0)
        return {};
    return {uint64_t(info.st_ino), int64_t(info.st_size),
            int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

QStringList VoiceStates::rescan() {
    QStringList changed;
    const Signature marks = signatureOf(FileOrigins::fileName());
    const bool marked = marks != std::exchange(marks_, marks);
    // The game's phrases are rows too, which a set made before the game may lack.
    for (const QString& name : SetFolder::voiceNames() + catalogue::phraseVoiceNames()) {
        const bool known = states_.contains(name);
        State& state = states_[name];
        const State before = state;
        const Signature file = signatureOf(name);
        if (!known || marked || file != state.file) {
            state.file = file;
            state.own = folder_.isOwn(name);
        }
        state.canUndo = folder_.canUndo(name);
        if (!known || state.own != before.own || state.canUndo != before.canUndo)
            changed << name;
    }
    return changed;
}

int VoiceStates::ownCount() const {
    int count = 0;
    for (const QString& name : SetFolder::voiceNames())
        count += isOwn(name) ? 1 : 0;
    return count;
}
