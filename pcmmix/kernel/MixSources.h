#pragma once
// The mixer's inner loop: sums unsigned 8-bit PCM spans into one output span.
// No allocation, no state besides the CPU feature choice made at load time.
#include <cstdint>

namespace pcmmix {

// Writes count bytes of silence (128) to out.
void FillSilence(uint8_t* out, int count);

// Mixes count bytes of n sources into out:
//   n <= 0: silence; n == 1: a copy of the source;
//   n >= 2: out[k] = clip(128 + sum(sources[i][k] - 128), 0, 255).
// The sum is clipped once per byte, never per partial sum, and not scaled: a
// few loud sources clip. out may equal one of the sources but must not
// overlap any source partially. Uses the widest vector unit the CPU has.
void MixSources(uint8_t* out, const uint8_t* const* sources, int n, int count);

// The same result one byte at a time, the yardstick for the vector paths.
void MixSourcesReference(uint8_t* out, const uint8_t* const* sources, int n, int count);

// The individual vector paths, for tests and benchmarks. MixSourcesAvx2 may
// be called only when CpuHasAvx2() is true.
void MixSourcesSse2(uint8_t* out, const uint8_t* const* sources, int n, int count);
void MixSourcesAvx2(uint8_t* out, const uint8_t* const* sources, int n, int count);
bool CpuHasAvx2();

} // namespace pcmmix
