#pragma once
// Mouse press and release as the handlers see them: which button and where,
// in the widget's own pixels.
#include <QMouseEvent>
#include <functional>

namespace ikea::tk {

enum class MouseButton { Left, Right, Middle };

using MouseHandler = std::function<void(MouseButton button, int x, int y)>;

inline MouseButton ButtonOf(const QMouseEvent* event) {
  switch (event->button()) {
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::Left;
  }
}

}  // namespace ikea::tk
