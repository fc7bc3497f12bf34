#pragma once
// The rules' drawing seam over a picture box's drawing surface: the rules
// know only Canvas, the widgets only their own QImage drawing.
#include "game/Canvas.h"
#include "toolkit/ImageCanvas.h"

namespace ikea::ui {

class WidgetCanvas final : public Canvas {
public:
  explicit WidgetCanvas(tk::ImageCanvas& surface) : surface_(surface) {}

  void SetPen(Rgb colour, int width = 1) override { surface_.SetPen(colour, width); }
  void SetPenWidth(int width) override { surface_.SetPenWidth(width); }
  void SetBrush(Rgb colour) override { surface_.SetBrush(colour); }
  void SetBrushSolid() override { surface_.SetBrushSolid(); }
  void SetBrushClear() override { surface_.SetBrushClear(); }
  void Ellipse(int x1, int y1, int x2, int y2) override { surface_.Ellipse(x1, y1, x2, y2); }
  void Rectangle(int x1, int y1, int x2, int y2) override { surface_.Rectangle(x1, y1, x2, y2); }
  void SetFont(Rgb colour, int size, bool bold, bool italic) override {
    surface_.SetFont(colour, size, bold, italic);
  }
  void TextOut(int x, int y, const std::string& cp932Text) override { surface_.TextOut(x, y, cp932Text); }
  void DrawPicture(const std::string& holder, int x, int y) override { surface_.DrawPicture(holder, x, y); }

private:
  tk::ImageCanvas& surface_;
};

} // namespace ikea::ui
