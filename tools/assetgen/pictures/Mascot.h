#pragma once
// The pond's mascot: a little bean of an old man with a white beard and a
// fishing rod. Drawn as shapes, so he scales to any size.
#include <QImage>
#include <QPainter>
#include <QRectF>

namespace ikea::artwork {

// The mascot's own proportions; DrawMascot fits this box into the target.
constexpr double kMascotWidth = 60.0;
constexpr double kMascotHeight = 45.0;

// Draws him into `box` (aspect kept, centred). `lift` raises him by that many
// pixels of the 60 × 45 design, for bobbing on the water.
void DrawMascot(QPainter& painter, const QRectF& box, double lift = 0.0);

// A square icon: the mascot on a lily pad in a round patch of pond, with a
// transparent surround.
QImage DrawMascotIcon(int size);

} // namespace ikea::artwork
