// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: any bytes saved as a narration file are opened, played and closed by the player,
// or refused with its error; then decoded to the end as the audio thread would.
#include "audio/AudioOutput.h"
#include "audio/MediaPlayerMP3.h"
#include "audio/NarrationSource.h"
#include "base/Errors.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* fileName = "fuzz.mp3";
QString inputPath; // absolute: the fuzzer's own paths stay relative to the current directory
// Decoding stops here: far more than a narration, little enough to keep each run short.
constexpr int64_t maxFramesRead = int64_t(AudioOutput::rate) * 120;
constexpr int readChunk = AudioOutput::bufferFrames;

// Both live until the process ends: Qt's own globals are gone by the time static destructors
// would run, and the fuzzer leaves by exit().
int appArgc = 1;
char appName[] = "fuzz_mp3open";
char* appArgv[] = {appName, nullptr};
QCoreApplication* app = nullptr;
QTemporaryDir* folder = nullptr;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_mp3open: %s\n", what);
    std::abort();
}

void writeInput(const uint8_t* data, size_t size) {
    QFile file(inputPath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        fail("cannot write the input file");
}

// What the audio thread does with an open narration: read until it has finished, rewind, read
// the start again.
void decodeToTheEnd() {
    NarrationSource source(inputPath);
    std::vector<float> buffer(size_t(readChunk) * AudioOutput::channels);
    int64_t total = 0;
    while (!source.finished() && total < maxFramesRead) {
        const int got = source.read(buffer.data(), readChunk);
        if (got < 0 || got > readChunk)
            fail("read returned an impossible frame count");
        total += got;
        if (got == 0 && !source.finished())
            fail("read gave nothing but the narration has not finished");
    }
    if (source.rewind())
        source.read(buffer.data(), readChunk);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    app = new QCoreApplication(appArgc, appArgv);
    folder = new QTemporaryDir;
    if (!folder->isValid())
        fail("no temporary folder");
    inputPath = folder->filePath(QLatin1String(fileName));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    writeInput(data, size);
    MediaPlayerMP3 player;
    player.setFileName(inputPath);
    try {
        player.open();
    } catch (const EMCIDeviceError& e) {
        if (e.message().isEmpty())
            fail("refusal without a description");
        if (player.isOpen() || !player.openFile().isEmpty())
            fail("a refused file was left open");
        return 0;
    }
    if (!player.isOpen() || player.openFile() != inputPath)
        fail("an accepted file is not the open one");
    player.play(); // the output thread decodes while we go on
    player.close();
    if (player.isOpen() || player.isPlaying())
        fail("close left the narration open or playing");
    // Queued end-of-play notices are delivered and freed here.
    QCoreApplication::processEvents();
    decodeToTheEnd();
    return 0;
}
