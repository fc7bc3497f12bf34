#pragma once
// Colours shared by every widget kind. Text colour and font pass on to the
// children that set none of their own.
#include <QWidget>

#include "toolkit/Colour.h"

namespace ikea::tk {

inline void SetBackColour(QWidget* widget, Rgb colour) {
  QPalette p = widget->palette();
  p.setColor(QPalette::Window, ToQColor(colour));
  widget->setPalette(p);
  widget->setAutoFillBackground(true);
}

inline void SetTextColour(QWidget* widget, Rgb colour) {
  QPalette p = widget->palette();
  p.setColor(QPalette::WindowText, ToQColor(colour));
  p.setColor(QPalette::Text, ToQColor(colour));
  widget->setPalette(p);
}

inline Rgb TextColourOf(const QWidget* widget) { return FromQColor(widget->palette().color(QPalette::WindowText)); }

// A widget's own shown flag, whatever its parents do.
inline bool IsShown(const QWidget* widget) { return !widget->isHidden(); }

}  // namespace ikea::tk
