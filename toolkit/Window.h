#pragma once
// The game's one window: a fixed dialog frame (no resizing, no minimise or
// maximise box), a cp932 caption and an outer size set as on the original
// platform, whose dialog frame takes kFrameWidth x kFrameHeight pixels.
#include <QWidget>
#include <functional>

#include "base/Text.h"
#include "base/Rgb.h"

namespace ikea::tk {

constexpr int kFrameWidth = 6;    // left and right borders
constexpr int kFrameHeight = 25;  // caption bar and top and bottom borders

class Window : public QWidget {
public:
  Window();

  void SetCaption(const Text& cp932Caption);
  const Text& Caption() const { return caption_; }

  // Outer size including the nominal frame; the client area is what is left.
  void SetOuterSize(int width, int height);
  int OuterWidth() const { return width() + kFrameWidth; }
  int OuterHeight() const { return height() + kFrameHeight; }

  void SetBackColour(Rgb colour);

  // Called when the window is about to close.
  std::function<void()> onClose;

protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  Text caption_;
};

}  // namespace ikea::tk
