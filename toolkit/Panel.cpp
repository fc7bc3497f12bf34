#include "toolkit/Panel.h"

#include "toolkit/Look.h"

namespace ikea::tk {

Panel::Panel(QWidget* parent) : QWidget(parent) {}

void Panel::SetBackColour(Rgb colour) { tk::SetBackColour(this, colour); }

}  // namespace ikea::tk
