// The game's sound effects: one synthesised cue per file in dat/.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Wave.h"

namespace soundgen {

struct SoundEffect {
    std::string file;    // name under dat/, e.g. "kan.wav"
    WaveFormat format;   // formats are spread on purpose so the mixer's
                         // 16->8 bit, stereo->mono and rate paths all run
    double peak;         // loudness relative to full scale
    Mix (*render)(int rate);
};

const std::vector<SoundEffect>& soundEffects();

std::vector<std::uint8_t> renderWave(const SoundEffect& effect);

} // namespace soundgen
