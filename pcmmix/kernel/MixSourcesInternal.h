#pragma once
// Shared between the vector paths of MixSources; not part of the interface.
#include <cstdint>

namespace pcmmix::detail {

// Sums beyond this many sources no longer fit the 16-bit lanes; such calls
// take the one-byte-at-a-time path.
inline constexpr int kMaxVectorSources = 255;

// Mixes bytes begin..count-1 of n >= 2 sources, 16 at a time, then byte by
// byte for the rest.
void MixSse2From(uint8_t* out, const uint8_t* const* sources, int n, int begin, int count);

// Byte-by-byte mix of bytes begin..count-1 of n >= 2 sources.
void MixScalarFrom(uint8_t* out, const uint8_t* const* sources, int n, int begin, int count);

} // namespace pcmmix::detail
