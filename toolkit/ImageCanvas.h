#pragma once
// Drawing onto a QImage with the pixel rules of the game's original platform: no smoothing, boxes with right and bottom edges
// exclusive, the pen outlining and the brush filling every shape.
#include <QImage>
#include <functional>
#include <string>

#include "base/Rgb.h"

namespace ikea::tk {

// Finds a loaded picture by its holder's name; nullptr when there is none.
using PictureLookup = std::function<const QImage*(const std::string& holder)>;

class ImageCanvas final {
public:
  // `target` gives the image to draw on (created on demand by its owner);
  // `changed` is called after every drawing call.
  ImageCanvas(std::function<QImage&()> target, std::function<void()> changed);

  void SetPictureLookup(PictureLookup lookup) { lookup_ = std::move(lookup); }

  void SetPen(Rgb colour, int width = 1);
  void SetPenWidth(int width);
  void SetBrush(Rgb colour);
  void SetBrushSolid();
  void SetBrushClear();
  void Ellipse(int x1, int y1, int x2, int y2);
  void Rectangle(int x1, int y1, int x2, int y2);
  void SetFont(Rgb colour, int size, bool bold, bool italic);
  void TextOut(int x, int y, const std::string& cp932Text);
  void DrawPicture(const std::string& holder, int x, int y);

  // Draws a picture directly (the picture holders' pictures and tests).
  void Draw(const QImage& picture, int x, int y);

private:
  enum class Shape { Ellipse, Rectangle };
  void DrawShape(Shape shape, int x1, int y1, int x2, int y2);
  void Changed() { if (changed_) changed_(); }

  std::function<QImage&()> target_;
  std::function<void()> changed_;
  PictureLookup lookup_;
  Rgb pen_{0, 0, 0};
  int penWidth_ = 1;
  Rgb brush_{255, 255, 255};
  bool brushClear_ = false;
  Rgb fontColour_{0, 0, 0};
  int fontPoints_ = 9;
  bool bold_ = false;
  bool italic_ = false;
};

// Copies an opaque 32-bit picture onto a target of that format, clipped to
// the target; false, and nothing drawn, for any other pair of formats.
bool CopyOpaquePicture(const QImage& picture, int x, int y, QImage& target);

}  // namespace ikea::tk
