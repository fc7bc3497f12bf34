#pragma once
// Whole-factor zoom of the window: the factor a screen gets by default, the
// factor that fills a full screen, and where a pointer position lands in game
// pixels. The game itself always sees 1x pixels.
#include <QPoint>
#include <QPointF>
#include <QSize>

namespace ikea::ui {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 4;

int ClampZoom(int factor);

// The largest factor (1..4) at which a window of `game` height fits in about
// 60 % of a screen's available height: 1080 lines give 2x, 2160 give 4x.
int DefaultZoom(int availableHeight, int gameHeight);

// The largest whole factor (at least 1) at which `game` fits in `area`.
int FittingZoom(QSize area, QSize game);

// Top-left of the enlarged game centred in `area`, in whole pixels.
QPoint CentredOrigin(QSize area, QSize game, int factor);

// The game pixel under a pointer position: every screen pixel of an
// enlarged game pixel maps back to that one pixel.
QPoint GamePixelAt(QPointF position, QPoint origin, int factor);

}  // namespace ikea::ui
