#pragma once
// Every game-wide variable. The saved part is the record `tmy` (the tank and
// thirteen counters); the rest is run-time state that starts at zero and is
// never saved.
#include <array>
#include <cstdint>

#include "base/Text.h"

namespace ikea {

constexpr int kTankSlots = 512;       // slots held and saved
constexpr int kVisibleSlots = 16;     // slots the tank shows and the cast checks
constexpr int kEffectEntries = 100;   // the ring uses 0..98
constexpr int kRivals = 5;            // race runners 2..6

template <typename T> using TankArray = std::array<T, kTankSlots>;

struct tmy {
  TankArray<std::int32_t> TankKind{};
  TankArray<std::int32_t> TankSize{};
  TankArray<std::int32_t> TankSpeed{};
  TankArray<std::int32_t> TankStrength{};
  TankArray<std::int32_t> TankGuts{};
  TankArray<std::int32_t> TankWits{};
  TankArray<Text> TankName{};
  TankArray<Text> TankTime{};
  TankArray<std::int32_t> TankCups1{};
  TankArray<std::int32_t> TankCups2{};
  TankArray<std::int32_t> TankCups3{};
  TankArray<std::int32_t> TankCups4{};
  TankArray<std::int32_t> TankCups5{};
  TankArray<std::int32_t> TankCups6{};
  TankArray<std::int32_t> TankHunger{};
  std::int32_t Hour = 0;
  std::int32_t ReelLevel = 0;
  std::int32_t Beans = 0;
  std::int32_t LineStrength = 0;
  std::int32_t Tries = 0;
  std::int32_t GunLevel = 0;
  std::int32_t Sardines = 0;
  std::int32_t Shrimp = 0;
  std::int32_t Milk = 0;
  std::int32_t JisuDama = 0;
  std::int32_t Bullets = 0;
  std::int32_t LineWear = 0;
  std::int32_t Money = 0;

  bool operator==(const tmy&) const = default;

  // Cup field of race class 1..6; nullptr for any other class.
  TankArray<std::int32_t>* CupsOfClass(int raceClass);
};

struct GameState : tmy {
  // Tick clock and counters.
  double NextTickAt = 0.0;
  std::int32_t TickCount = 0;
  std::int32_t TitleFrameCount = 0;
  std::int32_t MessageLock = 0;

  // The fishing attempt.
  std::int32_t FishingPhase = 0;  // 0 idle, 1 choosing point, 2 float in, 3 hooked
  std::int32_t Hooked = 0;
  std::int32_t Reeling = 0;
  std::int32_t FloatX = 0, FloatY = 0;
  std::int32_t FishX = 0, FishY = 0;
  std::int32_t FishSize = 0;
  std::int32_t FishHP = 0;
  std::int32_t FightTicks = 0;
  double FightStart = 0.0;
  std::int32_t LineTension = 0;
  std::int32_t LineOut = 0;

  // The pond's effect ring.
  std::int32_t EffectIndex = 0;
  std::array<std::int32_t, kEffectEntries> EffectAge{};
  std::array<std::int32_t, kEffectEntries> EffectKind{};
  std::array<std::int32_t, kEffectEntries> EffectX{};
  std::array<std::int32_t, kEffectEntries> EffectY{};
  std::array<std::int32_t, kEffectEntries> EffectParam{};

  // Tank and race.
  std::int32_t SelectedSlot = 0;
  std::int32_t RaceClass = 0;
  std::array<std::int32_t, kRivals> RivalSpeed{};
  std::array<std::int32_t, kRivals> RivalGuts{};
  std::array<std::int32_t, kRivals> RivalCheers{};
  std::uint8_t RaceRunning = 0;
};

inline TankArray<std::int32_t>* tmy::CupsOfClass(int raceClass) {
  switch (raceClass) {
    case 1: return &TankCups1;
    case 2: return &TankCups2;
    case 3: return &TankCups3;
    case 4: return &TankCups4;
    case 5: return &TankCups5;
    case 6: return &TankCups6;
    default: return nullptr;
  }
}

// Wrapping 32-bit arithmetic for values that come from the save file, whose
// sums may overflow: they wrap as the game's integers do, never UB.
inline std::int32_t WrapAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline std::int32_t WrapSub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
inline std::int32_t WrapMul(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

} // namespace ikea
