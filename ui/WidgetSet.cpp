#include "ui/WidgetSet.h"

#include "toolkit/BarGauge.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/ShownText.h"
#include "toolkit/Fonts.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Look.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureBox.h"

namespace ikea::ui {
namespace {

QWidget* MakeLabel(const WidgetRow& row, QWidget* parent) {
  auto* label = new tk::Label(parent);
  if (row.look.back) label->SetBackColour(*row.look.back);
  label->SetTransparent(row.look.transparent);
  label->SetWordWrap(row.look.wordWrap);
  label->SetAlignment(row.look.rightAlign ? tk::Align::Right : tk::Align::Left);
  label->SetCaption(row.caption);
  return label;
}

QWidget* MakeButton(const WidgetRow& row, QWidget* parent) {
  auto* button = new tk::Button(parent);
  button->SetCaption(row.caption);
  return button;
}

QWidget* MakePicture(const WidgetRow&, QWidget* parent) { return new tk::PictureBox(parent); }

QWidget* MakePanel(const WidgetRow& row, QWidget* parent) {
  auto* panel = new tk::Panel(parent);
  if (row.look.back) panel->SetBackColour(*row.look.back);
  return panel;
}

QWidget* MakeListBox(const WidgetRow& row, QWidget* parent) {
  auto* list = new tk::ListBox(parent);
  if (row.look.back) list->SetBackColour(*row.look.back);
  if (row.look.itemHeight > 0) list->SetItemHeight(row.look.itemHeight);
  list->SetBorder(!row.look.noBorder);
  return list;
}

QWidget* MakeEdit(const WidgetRow& row, QWidget* parent) {
  auto* edit = new tk::Edit(parent);
  edit->setFrame(!row.look.noBorder);
  edit->SetMaxBytes(row.look.maxBytes);
  // The edit holds what it shows: its first text is the layout's, in the
  // language in force; the names the rules put there later are never
  // translated.
  edit->SetText(tk::Translated(row.caption));
  return edit;
}

QWidget* MakeGauge(const WidgetRow& row, QWidget* parent) {
  auto* gauge = new tk::BarGauge(parent);
  if (row.look.back) gauge->SetBackColour(*row.look.back);
  if (row.look.bar) gauge->SetBarColour(*row.look.bar);
  gauge->SetMax(row.look.gaugeMax);
  gauge->SetProgress(row.look.gaugeProgress);
  return gauge;
}

// Settings every kind shares; applied before the caption fits the size.
void ApplyCommonLook(QWidget* widget, const WidgetRow& row) {
  widget->setObjectName(QString::fromLatin1(row.name));
  widget->setGeometry(row.left, row.top, row.width, row.height);
  if (row.look.text) tk::SetTextColour(widget, *row.look.text);
  widget->setFont(tk::MakeFont(row.look.font));
  if (row.look.hidden) widget->hide();
}

void ApplyAutoSize(QWidget* widget, const WidgetRow& row) {
  if (!row.look.autoSize) return;
  if (auto* label = dynamic_cast<tk::Label*>(widget)) label->SetAutoSize(true);
  if (auto* picture = dynamic_cast<tk::PictureBox*>(widget)) picture->SetAutoSize(true);
}

}  // namespace

WidgetSet::WidgetSet(QWidget* window, std::span<const WidgetRow> layout) {
  for (const WidgetRow& row : layout) {
    QWidget* parent = row.parent ? Find(row.parent) : window;
    if (!parent) throw std::logic_error(std::string("layout names an unknown parent ") + row.parent);
    // Created in table order, so a later widget lies above an earlier one.
    byName_[row.name] = Create(row, parent);
  }
}

QWidget* WidgetSet::Create(const WidgetRow& row, QWidget* parent) {
  using Maker = QWidget* (*)(const WidgetRow&, QWidget*);
  static constexpr Maker kMakers[] = {MakeLabel, MakeButton, MakePicture, MakePanel, MakeListBox, MakeEdit, MakeGauge};
  QWidget* widget = kMakers[static_cast<int>(row.kind)](row, parent);
  ApplyCommonLook(widget, row);
  ApplyAutoSize(widget, row);
  return widget;
}

QWidget* WidgetSet::Find(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

}  // namespace ikea::ui
