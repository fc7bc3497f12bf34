#pragma once
// The status panel as texts and visibilities, rebuilt from the game state on
// every timer event. The window applies it, touching a widget only when its
// value changed.
#include <cstdint>
#include <optional>

#include "base/Text.h"
#include "game/Canvas.h"

namespace ikea {

struct GameState;
struct Catalogues;

// An upgrade button of the shop: hidden past the last level, otherwise
// captioned with the next item and its price. A hidden button keeps its
// caption.
struct UpgradeButton {
  bool visible = false;
  std::optional<Text> caption;
  bool operator==(const UpgradeButton&) const = default;
};

// The feed buttons of the tank panel, captioned only while it is shown.
struct BaitCaptions {
  Text ebi_b, milk_b, mame_b, jis_b;
  bool operator==(const BaitCaptions&) const = default;
};

struct StatusTexts {
  Text state_l;
  Text state_l2;
  Text state_l3;
  Text line_max_l;
  // The gauge: its maximum is set before its progress.
  std::int32_t gaugeMax = 0;
  std::int32_t gaugeProgress = 0;
  // Background of the gauge; left as it is when empty.
  std::optional<Rgb> gaugeBackColour;
  bool saoVisible = false;
  bool makuVisible = false;
  std::optional<BaitCaptions> bait;
  UpgradeButton real_b, gun_b, line_b;
  bool operator==(const StatusTexts&) const = default;
};

// Word for the time of day ("夜", "朝", "昼", "夕方"), empty outside 0..24.
Text TimeOfDayWord(std::int32_t hour);

Text StatusText(const GameState& s);
Text EquipmentText(const GameState& s, const Catalogues& cat);
Text MoneyText(const GameState& s);

StatusTexts ComposeStatus(const GameState& s, const Catalogues& cat, bool tankShown);

} // namespace ikea
