// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The threads that read the narrations' files into their rings, one narration each at a time.
#pragma once

#include <memory>

class MixerChannel;

// A thread fills one channel until its player lets it go, then waits for the next. Starting a
// channel wakes a waiting thread rather than making one: a busy machine may give a new thread its
// first turn many milliseconds later, and the word waits for its filler's first chunk. A thread
// stalled in a slow read holds only its own channel; the next start makes another thread.
namespace fillerthreads {

// Players' thread: hands the started channel to a filler. Throws std::system_error when a thread is
// needed and none can be made.
void hand(std::shared_ptr<MixerChannel> channel);

} // namespace fillerthreads
