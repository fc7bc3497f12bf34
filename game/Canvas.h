#pragma once
// A drawing surface as the game's rules see it: pens, brushes, ellipses,
// rectangles, text and pictures. Boxes are (x1, y1)-(x2, y2) with the right
// and bottom edges exclusive. Qt-free so rules and tests need no toolkit.
#include <string>

#include "base/Rgb.h"

namespace ikea {

class Canvas {
public:
  virtual ~Canvas() = default;
  virtual void SetPen(Rgb colour, int width = 1) = 0;
  virtual void SetPenWidth(int width) = 0;
  virtual void SetBrush(Rgb colour) = 0;        // solid brush
  virtual void SetBrushSolid() = 0;             // back to solid with the last colour
  virtual void SetBrushClear() = 0;             // transparent brush
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;
  // Font for TextOut: colour, size in points, style; the background of text
  // is transparent while the brush is clear.
  virtual void SetFont(Rgb colour, int size, bool bold, bool italic) = 0;
  virtual void TextOut(int x, int y, const std::string& cp932Text) = 0;
  // Draws one of the loaded pictures (by its holder's name, e.g. "h1") at x, y.
  virtual void DrawPicture(const std::string& holder, int x, int y) = 0;
};

} // namespace ikea
