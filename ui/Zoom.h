#pragma once
// Whole-factor zoom of the window: the factor a screen gets by default, the
// factor that fills a full screen, the factors a window fits a screen at, and
// where a pointer position lands in game pixels. Factors count device pixels
// per game pixel, so at any desktop scale every game pixel is a square of
// whole device pixels. The game itself always sees 1x pixels.
#include <QMargins>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace ikea::ui {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 4;

int ClampZoom(int factor);

// The largest factor (1..4) at which a window of `game` height fits in about
// 60 % of a screen's available height in device pixels: 1080 lines give 2x,
// 2160 give 4x.
int DefaultZoom(int availableHeight, int gameHeight);

// Where a window may go on one screen, in the desktop's (logical) pixels,
// and how many device pixels each of them holds.
struct ScreenRoom {
  QRect available;  // the screen less its panels
  double devicePixelRatio = 1;
  QMargins frame;  // the window manager's frame around the window
};

// The window's size in desktop pixels when each game pixel is `factor`
// device pixels: rounded up, so the whole game is inside it.
QSize WindowSizeAt(QSize game, int factor, double devicePixelRatio);

// The largest factor (1..4) at which the window with its frame fits the
// room; 1 when even that does not.
int LargestFittingZoom(const ScreenRoom& room, QSize game);

// The factor a window is shown at on a screen: the wanted one (0: the
// screen's default) where it fits, else the largest that does.
int ZoomOnScreen(int wanted, const ScreenRoom& room, QSize game);

// A window's top-left moved just far enough for the window with its frame
// to lie on the room, where it can.
QPoint PlaceOnScreen(QPoint topLeft, QSize window, const ScreenRoom& room);

// The largest whole factor (at least 1) at which `game` fits in `area`.
int FittingZoom(QSize area, QSize game);

// Top-left of the enlarged game centred in `area`, in whole pixels.
QPoint CentredOrigin(QSize area, QSize game, int factor);

// The game pixel under a pointer position in device pixels: every device
// pixel of an enlarged game pixel maps back to that one pixel.
QPoint GamePixelAt(QPointF position, QPoint origin, int factor);

}  // namespace ikea::ui
