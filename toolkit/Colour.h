#pragma once
// Colours in their Qt form.
#include <QColor>

#include "toolkit/Palette.h"

namespace ikea::tk {

inline QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }
inline Rgb FromQColor(const QColor& c) {
  return Rgb{static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
             static_cast<std::uint8_t>(c.blue())};
}

}  // namespace ikea::tk
