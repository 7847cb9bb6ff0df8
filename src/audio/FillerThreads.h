// The threads that read the narrations' files into their rings, one narration each at a time.
#pragma once

#include <memory>

class MixerVoice;

// A thread fills one voice until its player lets it go, then waits for the next. Starting a voice
// wakes a waiting thread rather than making one: a busy machine may give a new thread its first
// turn many milliseconds later, longer than the head decoded at the open lasts. A thread stalled
// in a slow read holds only its own voice; the next start makes another thread.
namespace fillerthreads {

// Players' thread: hands the started voice to a filler. Throws std::system_error when a thread is
// needed and none can be made.
void hand(std::shared_ptr<MixerVoice> voice);

} // namespace fillerthreads
