#include "town/TankSelection.h"

#include "game/View.h"

namespace ikea {

std::optional<int> SelectedLine(const View& view) {
  const int line = view.ListSelected();
  if (line < 0 || line >= view.ListCount() || !IsTankSlot(line)) return std::nullopt;
  return line;
}

std::optional<int> SelectedFish(const View& view) {
  const auto line = SelectedLine(view);
  if (!line || view.ListLine(*line).empty()) return std::nullopt;
  return line;
}

} // namespace ikea
