#include "ui/Zoom.h"

#include <algorithm>
#include <cmath>

namespace ikea::ui {

int ClampZoom(int factor) { return std::clamp(factor, kMinZoom, kMaxZoom); }

int DefaultZoom(int availableHeight, int gameHeight) {
  if (gameHeight <= 0) return kMinZoom;
  // factor * height <= 0.6 * available, in whole numbers.
  const long long room = static_cast<long long>(std::max(availableHeight, 0)) * 3;
  const long long fits = room / (5LL * gameHeight);
  return ClampZoom(static_cast<int>(std::min<long long>(fits, kMaxZoom)));
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
  return {static_cast<int>(std::floor((position.x() - origin.x()) / factor)),
          static_cast<int>(std::floor((position.y() - origin.y()) / factor))};
}

}  // namespace ikea::ui
