#include "toolkit/BarGauge.h"

#include <QPainter>

#include "toolkit/Colour.h"

namespace ikea::tk {

BarGauge::BarGauge(QWidget* parent) : QWidget(parent) {}

void BarGauge::SetMax(int max) {
  if (max == max_) return;
  max_ = max;
  update();
}

void BarGauge::SetProgress(int progress) {
  if (progress == progress_) return;
  progress_ = progress;
  update();
}

void BarGauge::SetBarColour(Rgb colour) {
  bar_ = colour;
  update();
}

void BarGauge::SetBackColour(Rgb colour) {
  if (colour == back_) return;
  back_ = colour;
  update();
}

int BarGauge::BarHeight() const {
  if (max_ <= 0) return progress_ > 0 ? height() : 0;
  if (progress_ <= 0) return 0;
  if (progress_ >= max_) return height();
  return static_cast<int>(static_cast<std::int64_t>(height()) * progress_ / max_);
}

void BarGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ToQColor(back_));
  int bar = BarHeight();
  painter.fillRect(QRect(0, height() - bar, width(), bar), ToQColor(bar_));
}

}  // namespace ikea::tk
