#pragma once
// Fonts of the game's faces in their Qt form.
#include <QFont>

#include "toolkit/FontStyle.h"

namespace ikea::tk {

// A font with only the given settings resolved, so the rest still follow
// the parent.
QFont MakeFont(const FontStyle& style);

// The window's own font: proportional Gothic, 12 pixels, regular.
QFont WindowFont();

QString FamilyOf(Face face);

}  // namespace ikea::tk
