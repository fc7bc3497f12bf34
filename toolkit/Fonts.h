#pragma once
// The game's two Japanese faces and the font settings a widget overrides.
// Fields left empty are taken from the parent widget, as the layout expects.
#include <QFont>
#include <optional>

namespace ikea::tk {

enum class Face { PGothic, Gothic };  // proportional and fixed-pitch Gothic

struct FontSpec {
  std::optional<Face> face;
  std::optional<int> pixels;
  std::optional<bool> bold;
};

// A font with only the given settings resolved, so the rest still follow
// the parent.
QFont MakeFont(const FontSpec& spec);

// The window's own font: proportional Gothic, 12 pixels, regular.
QFont WindowFont();

QString FamilyOf(Face face);

}  // namespace ikea::tk
