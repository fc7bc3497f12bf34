#pragma once
// Whole-factor zoom of the window: the factor a screen gets by default, the
// factor that fills a full screen, the factors a window fits a screen at, and
// where a pointer position lands in game pixels. A zoom of N shows each game
// pixel as a square of whole device pixels, N desktop pixels to the nearest
// device pixel, so pictures stay crisp at any desktop scale. The game itself
// always sees 1x pixels.
#include <QMargins>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace ikea::ui {

constexpr int kMinZoom = 1;
constexpr int kMaxZoom = 4;

int ClampZoom(int factor);

// The side of the square of device pixels a game pixel is shown as: the
// zoom times the desktop's scale, to the nearest whole pixel (at least 1).
int PixelsPerGamePixel(int zoom, double devicePixelRatio);

// The largest zoom (1..4) at which a window of `game` height fits in about
// 60 % of a screen's available height (in desktop pixels): 1080 lines give
// 2x, 2160 give 4x.
int DefaultZoom(int availableHeight, int gameHeight, double devicePixelRatio = 1);

// Where a window may go on one screen, in the desktop's (logical) pixels,
// and how many device pixels each of them holds.
struct ScreenRoom {
  QRect available;  // the screen less its panels
  double devicePixelRatio = 1;
  QMargins frame;  // the window manager's frame around the window
};

// The window's size in desktop pixels at a zoom: rounded up, so the whole
// game is inside it.
QSize WindowSizeAt(QSize game, int zoom, double devicePixelRatio);

// The largest zoom (1..4) at which the window with its frame fits the room;
// 1 when even that does not.
int LargestFittingZoom(const ScreenRoom& room, QSize game);

// The zoom a window is shown at on a screen: the wanted one (0: the
// screen's default) where it fits, else the largest that does.
int ZoomOnScreen(int wanted, const ScreenRoom& room, QSize game);

// A window's top-left moved just far enough for the window with its frame
// to lie on the room, where it can.
QPoint PlaceOnScreen(QPoint topLeft, QSize window, const ScreenRoom& room);

// The largest whole factor (at least 1) at which `game` fits in `area`.
int FittingZoom(QSize area, QSize game);

// The device pixels per game pixel full screen: the largest whole zoom's
// that fits `area` (device pixels), so that desktop scales of 1 and 2 keep
// their factors.
int FullScreenPixels(QSize area, QSize game, double devicePixelRatio);

// Top-left of the enlarged game centred in `area`, in whole pixels.
QPoint CentredOrigin(QSize area, QSize game, int factor);

// The game pixel under a pointer position in device pixels: every device
// pixel of an enlarged game pixel maps back to that one pixel.
QPoint GamePixelAt(QPointF position, QPoint origin, int factor);

}  // namespace ikea::ui
