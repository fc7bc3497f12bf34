#pragma once
// The game's two Japanese faces and the font settings a widget overrides.
// Fields left empty are taken from the parent widget. Qt-free.
#include <optional>

namespace ikea::tk {

enum class Face { PGothic, Gothic };  // proportional and fixed-pitch Gothic

struct FontStyle {
  std::optional<Face> face = {};
  std::optional<int> pixels = {};
  std::optional<bool> bold = {};
};

}  // namespace ikea::tk
