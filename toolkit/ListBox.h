#pragma once
// A list of cp932 lines with one selected line (or none, -1), a fixed item
// height, and mouse-down and mouse-up events that see the new selection.
#include <QListWidget>

#include "base/Text.h"
#include "base/Rgb.h"
#include "toolkit/Mouse.h"

namespace ikea::tk {

class ListBox : public QListWidget {
public:
  explicit ListBox(QWidget* parent);

  void Clear();
  void Add(const Text& cp932Line);
  int Count() const { return count(); }
  Text Line(int index) const;
  void SetLine(int index, const Text& cp932Line);
  int Selected() const;
  void Select(int index);  // -1 or out of range: no selection

  void SetItemHeight(int pixels);
  void SetBackColour(Rgb colour);
  void SetBorder(bool border);

  MouseHandler onMouseDown;
  MouseHandler onMouseUp;

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  std::vector<Text> lines_;  // the cp932 texts, parallel to the items
  int itemHeight_ = 13;
};

}  // namespace ikea::tk
