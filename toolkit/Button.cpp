#include "toolkit/Button.h"

#include "toolkit/Handlers.h"
#include "toolkit/ShownText.h"

namespace ikea::tk {

Button::Button(QWidget* parent) : QPushButton(parent) {
  setFocusPolicy(Qt::TabFocus);
  connect(this, &QPushButton::clicked, this, [this] { RunHandler(onClick); });
}

void Button::SetCaption(const Text& cp932Caption) {
  if (cp932Caption == caption_) return;
  caption_ = cp932Caption;
  setText(ShownText(cp932Caption));
}

void Button::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) setText(ShownText(caption_));
}

void Button::mousePressEvent(QMouseEvent* event) {
  QPushButton::mousePressEvent(event);
  if (onMouseDown) {
    QPoint at = event->position().toPoint();
    MouseButton button = ButtonOf(event);
    RunHandler([&] { onMouseDown(button, at.x(), at.y()); });
  }
}

void Button::mouseReleaseEvent(QMouseEvent* event) {
  QPoint at = event->position().toPoint();
  MouseButton button = ButtonOf(event);
  QPushButton::mouseReleaseEvent(event);  // may click
  if (onMouseUp) RunHandler([&] { onMouseUp(button, at.x(), at.y()); });
}

}  // namespace ikea::tk
