// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The one path every take follows, recorded or imported.
#include "workshop/VoiceMaker.h"

#include "sets/SetFolder.h"
#include "takes/AudioImport.h"
#include "takes/Mp3Encoder.h"
#include "takes/TakeProcessor.h"

namespace voicemaker {

namespace {

// Enough slices to find the loudest samples; the review's waveform is not drawn here.
constexpr int reviewSlices = 400;

} // namespace

QByteArray makeVoice(const Take& take) {
    return mp3encoder::encode(takeprocessor::prepare(take));
}

QString importFile(SetFolder& folder, const QString& file, const QString& relativePath) {
    const QString name = SetFolder::checkedName(relativePath);
    const Take read = audioimport::read(file);
    const QString warning = warningOf(TakeReview::of(read, reviewSlices));
    const Take prepared = takeprocessor::prepare(read);
    folder.write(name, mp3encoder::encode(prepared), FileOrigins::Origin::Imported);
    return QStringLiteral("%1 → %2 (%3 s)%4")
        .arg(file, folder.pathOf(name))
        .arg(prepared.seconds(), 0, 'f', 2)
        .arg(warning.isEmpty() ? QString() : QStringLiteral(" — ") + warning);
}

QString warningOf(const TakeReview& review) {
    if (review.clipped)
        return QStringLiteral("saturat : parlatz mai luènh del microfòn");
    if (review.tooQuiet)
        return QStringLiteral("tròp febla : parlatz mai fòrt o mai prèp");
    return {};
}

} // namespace voicemaker
