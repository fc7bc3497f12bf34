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

int DefaultZoom(int availableHeight, int gameHeight) {
  if (gameHeight <= 0) return kMinZoom;
  // factor * height <= 0.6 * available, in whole numbers.
  const long long room = static_cast<long long>(std::max(availableHeight, 0)) * 3;
  const long long fits = room / (5LL * gameHeight);
  return ClampZoom(static_cast<int>(std::min<long long>(fits, kMaxZoom)));
}

QSize WindowSizeAt(QSize game, int factor, double devicePixelRatio) {
  const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
  auto side = [&](int pixels) { return static_cast<int>(std::ceil(pixels * factor / ratio - kSlack)); };
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
  if (wanted == 0)
    wanted = DefaultZoom(static_cast<int>(room.available.height() * room.devicePixelRatio + kSlack), game.height());
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
