// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the whole default asset set, every file of the catalogue and no other.
#pragma once

#include "Content.h"
#include "Speaker.h"
#include "assets/PhraseTexts.h"

#include <QString>
#include <functional>
#include <vector>

namespace assetgen {

class Generator {
public:
    Generator(Content content, PhraseTexts phrases, Speaker speaker);

    // Throws EFOpenError or EReadError when a font, an emoji or a tool the content needs is
    // missing, before anything is written.
    void checkResources() const;
    // Makes the set's folders under outputDir and fills them. Throws the first error met.
    void writeAll(const QString& outputDir) const;

private:
    struct Job {
        QString path; // catalogue path, backslash-separated
        std::function<void(const QString& file)> write;
        bool sound = false;
    };
    std::vector<Job> jobs() const;

    Content content_;
    PhraseTexts phrases_;
    Speaker speaker_;
};

} // namespace assetgen
