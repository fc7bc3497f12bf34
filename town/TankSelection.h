#pragma once
// The tank list's selection as the tank, feeding, race and export rules read
// it: line n of `fish_list` is tank slot n.
#include <cstdint>
#include <optional>

#include "game/GameState.h"

namespace ikea {

class View;

inline bool IsTankSlot(std::int64_t slot) { return slot >= 0 && slot < kTankSlots; }

// The selected line, or nothing when no line (or a line past the tank arrays)
// is selected. The line may be empty.
std::optional<int> SelectedLine(const View& view);

// The selected line when it shows a fish (its text is not empty).
std::optional<int> SelectedFish(const View& view);

// A slot's figure, 0 for a slot number outside the tank arrays.
inline std::int32_t SlotFigure(const TankArray<std::int32_t>& field, std::int64_t slot) {
  return IsTankSlot(slot) ? field[static_cast<std::size_t>(slot)] : 0;
}

} // namespace ikea
