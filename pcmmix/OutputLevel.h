#pragma once
// The level the output devices apply to their own copy of each block, so
// the mix itself stays exact and a quiet or muted game costs no more than the
// copy the device makes anyway. The wave system owns it and hands it to the
// devices it opens (a device given none plays at full level). The window's
// thread sets it; devices read it
// as each block is handed on to the output (the PCM, the capture file), so a
// change is heard from the next block handed on, not after the blocks the
// device already holds.
#include <atomic>
#include <cstdint>

namespace pcmmix {

class OutputLevel {
public:
  static constexpr int kFull = 100;

  // percent is clamped to 0..100.
  void Set(int percent, bool muted);
  int Percent() const { return state_.load(std::memory_order_relaxed) & kPercentBits; }
  bool Muted() const { return (state_.load(std::memory_order_relaxed) & kMutedBit) != 0; }
  // What the samples are scaled by: 0 when muted.
  int Effective() const;

private:
  // Percent and mute in one word, so a reader never sees half of a change.
  static constexpr int kPercentBits = 0xFF;
  static constexpr int kMutedBit = 0x100;
  std::atomic<int> state_{kFull};
};

// What a device scales by: full without a level.
inline int EffectiveLevel(const OutputLevel* level) { return level ? level->Effective() : OutputLevel::kFull; }

// Copies 8-bit unsigned samples scaled about the centre 128: at 100 they are
// copied unchanged, at 50 their distance from 128 is halved (rounded toward
// 128), at 0 every sample is exactly 128.
void CopyAtLevel(uint8_t* to, const uint8_t* from, uint32_t count, int percent);
// The same into 16-bit signed samples: the 8-bit result's distance from 128
// times 256, so silence is 0 and the sound is the 8-bit sound exactly.
void CopyAtLevelWide(int16_t* to, const uint8_t* from, uint32_t count, int percent);

} // namespace pcmmix
