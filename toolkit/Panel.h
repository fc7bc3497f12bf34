#pragma once
// A plain coloured area holding other widgets; moved, shown and hidden as one.
#include <QWidget>

#include "base/Rgb.h"

namespace ikea::tk {

class Panel : public QWidget {
public:
  explicit Panel(QWidget* parent);
  void SetBackColour(Rgb colour);
};

}  // namespace ikea::tk
