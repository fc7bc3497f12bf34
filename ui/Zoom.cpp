#include "ui/Zoom.h"

#include <algorithm>
#include <cmath>

namespace ikea::ui {
namespace {

// Desktop pixels turned into device pixels and back lose a little on the
// way; this much is never a pixel's worth.
constexpr double kSlack = 1.0 / 1024;

QSize Grown(QSize size, QMargins frame) {
  return {size.width() + frame.left() + frame.right(), size.height() + frame.top() + frame.bottom()};
}

}  // namespace

int ClampZoom(int factor) { return std::clamp(factor, kMinZoom, kMaxZoom); }

int PixelsPerGamePixel(int zoom, double devicePixelRatio) {
  const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
  return std::max(1, static_cast<int>(std::lround(zoom * ratio)));
}

int DefaultZoom(int availableHeight, int gameHeight, double devicePixelRatio) {
  // The window's device pixels <= 0.6 * the screen's, in whole numbers.
  const double room = std::max(availableHeight, 0) * devicePixelRatio * 3 + kSlack;
  int zoom = kMaxZoom;
  while (zoom > kMinZoom && 5.0 * gameHeight * PixelsPerGamePixel(zoom, devicePixelRatio) > room) --zoom;
  return zoom;
}

QSize WindowSizeAt(QSize game, int zoom, double devicePixelRatio) {
  const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
  const int pixels = PixelsPerGamePixel(zoom, ratio);
  auto side = [&](int gamePixels) { return static_cast<int>(std::ceil(gamePixels * pixels / ratio - kSlack)); };
  return {side(game.width()), side(game.height())};
}

int LargestFittingZoom(const ScreenRoom& room, QSize game) {
  for (int factor = kMaxZoom; factor > kMinZoom; --factor) {
    const QSize window = Grown(WindowSizeAt(game, factor, room.devicePixelRatio), room.frame);
    if (window.width() <= room.available.width() && window.height() <= room.available.height()) return factor;
  }
  return kMinZoom;
}

int ZoomOnScreen(int wanted, const ScreenRoom& room, QSize game) {
  if (wanted == 0) wanted = DefaultZoom(room.available.height(), game.height(), room.devicePixelRatio);
  return std::min(ClampZoom(wanted), LargestFittingZoom(room, game));
}

QPoint PlaceOnScreen(QPoint topLeft, QSize window, const ScreenRoom& room) {
  const QRect framed(topLeft - QPoint(room.frame.left(), room.frame.top()), Grown(window, room.frame));
  const QRect& on = room.available;
  // Back from the far edge; the near edge wins for a window larger than the room.
  auto shift = [](int low, int high, int lowest, int highest) {
    int by = high > highest ? highest - high : 0;
    if (low + by < lowest) by = lowest - low;
    return by;
  };
  return topLeft + QPoint(shift(framed.left(), framed.right(), on.left(), on.right()),
                          shift(framed.top(), framed.bottom(), on.top(), on.bottom()));
}

int FittingZoom(QSize area, QSize game) {
  if (game.width() <= 0 || game.height() <= 0) return 1;
  return std::max(1, std::min(area.width() / game.width(), area.height() / game.height()));
}

int FullScreenPixels(QSize area, QSize game, double devicePixelRatio) {
  const int fitting = FittingZoom(area, game);
  int zoom = 1;
  while (PixelsPerGamePixel(zoom + 1, devicePixelRatio) <= fitting) ++zoom;
  return std::min(PixelsPerGamePixel(zoom, devicePixelRatio), fitting);
}

QPoint CentredOrigin(QSize area, QSize game, int factor) {
  return {std::max(0, (area.width() - game.width() * factor) / 2),
          std::max(0, (area.height() - game.height() * factor) / 2)};
}

QPoint GamePixelAt(QPointF position, QPoint origin, int factor) {
  factor = std::max(factor, 1);
  return {static_cast<int>(std::floor((position.x() - origin.x() + kSlack) / factor)),
          static_cast<int>(std::floor((position.y() - origin.y() + kSlack) / factor))};
}

}  // namespace ikea::ui
