// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Prints every file of the default set, the game's phrases included, one a line, as the catalogue
// names them: the build runs it when it is configured, so that it knows each file the generator
// makes.
#include "assets/Catalogue.h"

#include <cstdio>

int main() {
    for (const QStringList* names :
         {&catalogue::pictureNames(), &catalogue::voiceNames(), &catalogue::phraseVoiceNames()})
        for (const QString& name : *names)
            std::printf("%s\n", name.toUtf8().constData());
    return 0;
}
