#include "toolkit/ListBox.h"

#include "toolkit/Colour.h"
#include "toolkit/Handlers.h"
#include "toolkit/ShownText.h"

namespace ikea::tk {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setUniformItemSizes(true);
  setFocusPolicy(Qt::TabFocus);
}

void ListBox::Clear() {
  setCurrentRow(-1);
  clear();
  lines_.clear();
}

void ListBox::Add(const Text& cp932Line) {
  auto* item = new QListWidgetItem(ShownText(cp932Line), this);
  item->setSizeHint(QSize(0, itemHeight_));
  lines_.push_back(cp932Line);
}

Text ListBox::Line(int index) const {
  if (index < 0 || index >= static_cast<int>(lines_.size())) return {};
  return lines_[static_cast<std::size_t>(index)];
}

void ListBox::SetLine(int index, const Text& cp932Line) {
  if (index < 0 || index >= static_cast<int>(lines_.size())) return;
  lines_[static_cast<std::size_t>(index)] = cp932Line;
  item(index)->setText(ShownText(cp932Line));
}

int ListBox::Selected() const {
  auto selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.front());
}

void ListBox::Select(int index) {
  if (index < 0 || index >= count()) {
    clearSelection();
    setCurrentRow(-1);
    return;
  }
  setCurrentRow(index);
}

void ListBox::SetItemHeight(int pixels) {
  itemHeight_ = pixels;
  for (int i = 0; i < count(); ++i) item(i)->setSizeHint(QSize(0, pixels));
}

void ListBox::SetBackColour(Rgb colour) {
  QPalette p = palette();
  p.setColor(QPalette::Base, ToQColor(colour));
  setPalette(p);
}

void ListBox::SetBorder(bool border) { setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame); }

void ListBox::changeEvent(QEvent* event) {
  QListWidget::changeEvent(event);
  if (event->type() != QEvent::LanguageChange) return;
  for (int i = 0; i < count() && i < static_cast<int>(lines_.size()); ++i)
    item(i)->setText(ShownText(lines_[static_cast<std::size_t>(i)]));
}

void ListBox::mousePressEvent(QMouseEvent* event) {
  QListWidget::mousePressEvent(event);  // the click selects first
  if (onMouseDown) {
    QPoint at = event->position().toPoint();
    MouseButton button = ButtonOf(event);
    RunHandler([&] { onMouseDown(button, at.x(), at.y()); });
  }
}

void ListBox::mouseReleaseEvent(QMouseEvent* event) {
  QListWidget::mouseReleaseEvent(event);
  if (onMouseUp) {
    QPoint at = event->position().toPoint();
    MouseButton button = ButtonOf(event);
    RunHandler([&] { onMouseUp(button, at.x(), at.y()); });
  }
}

}  // namespace ikea::tk
