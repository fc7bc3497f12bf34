#pragma once
// A vertical bar gauge without text: the bar grows from the bottom by
// progress / maximum of the height; progress above the maximum shows full,
// below zero empty.
#include <QWidget>

#include "base/Rgb.h"

namespace ikea::tk {

class BarGauge : public QWidget {
public:
  explicit BarGauge(QWidget* parent);

  void SetMax(int max);
  int Max() const { return max_; }
  void SetProgress(int progress);
  int Progress() const { return progress_; }
  void SetBarColour(Rgb colour);
  void SetBackColour(Rgb colour);
  Rgb BackColour() const { return back_; }

  // Height of the bar in pixels.
  int BarHeight() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  int max_ = 100;
  int progress_ = 0;
  Rgb bar_{0, 0, 128};
  Rgb back_{255, 255, 255};
};

}  // namespace ikea::tk
