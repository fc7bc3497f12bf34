// Writing effects as PCM RIFF WAVE files.
#pragma once

#include <cstdint>
#include <vector>

#include "Dsp.h"

namespace soundgen {

struct WaveFormat {
    int bits;      // 8 (unsigned) or 16 (signed)
    int channels;  // 1 or 2
    int rate;      // 11025, 22050 or 44100
};

// Peak level, fades and the mono fold-down are applied here so every effect
// leaves the same way: scaled to `peak` (below full scale, so nothing clips),
// faded in over `fadeIn` and out over `fadeOut` seconds so the ends do not
// click.
std::vector<std::uint8_t> encodeWave(const Mix& mix, const WaveFormat& format, double peak,
                                     double fadeIn = 0.001, double fadeOut = 0.01);

} // namespace soundgen
