#pragma once
// How long a buffer the output device asks for. A steady machine plays
// through the shortest one, which keeps a cue close to its call; a machine
// that stops now and then runs such a buffer dry. In the adaptive mode each
// underrun lengthens the buffer by a step, up to a cap, and a stretch of
// sound without one shortens it by a step again, never below the shortest.
#include <cstdint>

namespace pcmmix {

enum class BufferMode { Auto, Low, Steady };

struct SteadinessPolicy {
  unsigned lowMs = 12;        // the shortest buffer, and where Auto starts
  unsigned stepMs = 12;
  unsigned capMs = 60;        // what Steady keeps
  uint64_t calmMs = 60000;    // sound played without an underrun before a step down
};

// The buffer to use from now on, given the one in use, whether the output
// just ran dry, and how much sound has played since the last underrun or
// change.
unsigned NextBufferMs(const SteadinessPolicy& policy, BufferMode mode, unsigned currentMs, bool underrun,
                      uint64_t calmPlayedMs);

// "auto", "low" or "steady"; anything else is Auto.
BufferMode ParseBufferMode(const char* text);

} // namespace pcmmix
