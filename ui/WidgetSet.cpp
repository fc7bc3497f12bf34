#include "ui/WidgetSet.h"

#include "toolkit/BarGauge.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Fonts.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Look.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureBox.h"

namespace ikea::ui {
namespace {

QWidget* MakeLabel(const WidgetSpec& spec, QWidget* parent) {
  auto* label = new tk::Label(parent);
  if (spec.look.back) label->SetBackColour(*spec.look.back);
  label->SetTransparent(spec.look.transparent);
  label->SetWordWrap(spec.look.wordWrap);
  label->SetAlignment(spec.look.rightAlign ? tk::Align::Right : tk::Align::Left);
  label->SetCaption(spec.caption);
  return label;
}

QWidget* MakeButton(const WidgetSpec& spec, QWidget* parent) {
  auto* button = new tk::Button(parent);
  button->SetCaption(spec.caption);
  return button;
}

QWidget* MakePicture(const WidgetSpec&, QWidget* parent) { return new tk::PictureBox(parent); }

QWidget* MakePanel(const WidgetSpec& spec, QWidget* parent) {
  auto* panel = new tk::Panel(parent);
  if (spec.look.back) panel->SetBackColour(*spec.look.back);
  return panel;
}

QWidget* MakeListBox(const WidgetSpec& spec, QWidget* parent) {
  auto* list = new tk::ListBox(parent);
  if (spec.look.back) list->SetBackColour(*spec.look.back);
  if (spec.look.itemHeight > 0) list->SetItemHeight(spec.look.itemHeight);
  list->SetBorder(!spec.look.noBorder);
  return list;
}

QWidget* MakeEdit(const WidgetSpec& spec, QWidget* parent) {
  auto* edit = new tk::Edit(parent);
  edit->setFrame(!spec.look.noBorder);
  edit->SetMaxBytes(spec.look.maxBytes);
  edit->SetText(spec.caption);
  return edit;
}

QWidget* MakeGauge(const WidgetSpec& spec, QWidget* parent) {
  auto* gauge = new tk::BarGauge(parent);
  if (spec.look.back) gauge->SetBackColour(*spec.look.back);
  if (spec.look.bar) gauge->SetBarColour(*spec.look.bar);
  gauge->SetMax(spec.look.gaugeMax);
  gauge->SetProgress(spec.look.gaugeProgress);
  return gauge;
}

// Settings every kind shares; applied before the caption fits the size.
void ApplyCommonLook(QWidget* widget, const WidgetSpec& spec) {
  widget->setObjectName(QString::fromLatin1(spec.name));
  widget->setGeometry(spec.left, spec.top, spec.width, spec.height);
  if (spec.look.text) tk::SetTextColour(widget, *spec.look.text);
  widget->setFont(tk::MakeFont(spec.look.font));
  if (spec.look.hidden) widget->hide();
}

void ApplyAutoSize(QWidget* widget, const WidgetSpec& spec) {
  if (!spec.look.autoSize) return;
  if (auto* label = dynamic_cast<tk::Label*>(widget)) label->SetAutoSize(true);
  if (auto* picture = dynamic_cast<tk::PictureBox*>(widget)) picture->SetAutoSize(true);
}

}  // namespace

WidgetSet::WidgetSet(QWidget* window, std::span<const WidgetSpec> layout) {
  for (const WidgetSpec& spec : layout) {
    QWidget* parent = spec.parent ? Find(spec.parent) : window;
    if (!parent) throw std::logic_error(std::string("layout names an unknown parent ") + spec.parent);
    // Created in table order, so a later widget lies above an earlier one.
    byName_[spec.name] = Create(spec, parent);
  }
}

QWidget* WidgetSet::Create(const WidgetSpec& spec, QWidget* parent) {
  using Maker = QWidget* (*)(const WidgetSpec&, QWidget*);
  static constexpr Maker kMakers[] = {MakeLabel, MakeButton, MakePicture, MakePanel, MakeListBox, MakeEdit, MakeGauge};
  QWidget* widget = kMakers[static_cast<int>(spec.kind)](spec, parent);
  ApplyCommonLook(widget, spec);
  ApplyAutoSize(widget, spec);
  return widget;
}

QWidget* WidgetSet::Find(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

}  // namespace ikea::ui
