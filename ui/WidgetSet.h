#pragma once
// Builds the widgets of a layout under a window and finds them by name.
#include <QWidget>
#include <map>
#include <span>
#include <stdexcept>
#include <string>

#include "ui/Layout.h"

namespace ikea::ui {

class WidgetSet {
public:
  WidgetSet(QWidget* window, std::span<const WidgetRow> layout);

  QWidget* Find(const std::string& name) const;

  template <typename T>
  T* Get(const std::string& name) const {
    auto* widget = dynamic_cast<T*>(Find(name));
    if (!widget) throw std::logic_error("layout has no widget " + name + " of that kind");
    return widget;
  }

private:
  QWidget* Create(const WidgetRow& row, QWidget* parent);
  std::map<std::string, QWidget*> byName_;
};

}  // namespace ikea::ui
