#pragma once
// A push button with a cp932 caption (0x5C shown as the yen sign) and click,
// mouse-down and mouse-up events.
#include <QPushButton>
#include <functional>

#include "base/Text.h"
#include "toolkit/Mouse.h"

namespace ikea::tk {

class Button : public QPushButton {
public:
  explicit Button(QWidget* parent);

  void SetCaption(const Text& cp932Caption);
  const Text& Caption() const { return caption_; }

  std::function<void()> onClick;
  MouseHandler onMouseDown;
  MouseHandler onMouseUp;

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  Text caption_;
};

}  // namespace ikea::tk
