#include "toolkit/ImageCanvas.h"

#include <QPainter>
#include <QPainterPath>
#include <cstring>

#include "toolkit/Colour.h"
#include "toolkit/Fonts.h"
#include "toolkit/TextCodec.h"

namespace ikea::tk {
namespace {

// Font sizes are in points; the screen has 96 pixels per inch.
int PointsToPixels(int points) { return std::max(1, (points * 96 + 36) / 72); }

}  // namespace

ImageCanvas::ImageCanvas(std::function<QImage&()> target, std::function<void()> changed)
    : target_(std::move(target)), changed_(std::move(changed)) {}

void ImageCanvas::SetPen(Rgb colour, int width) {
  pen_ = colour;
  SetPenWidth(width);
}

void ImageCanvas::SetPenWidth(int width) { penWidth_ = std::max(1, width); }

void ImageCanvas::SetBrush(Rgb colour) {
  brush_ = colour;
  brushClear_ = false;
}

void ImageCanvas::SetBrushSolid() { brushClear_ = false; }

void ImageCanvas::SetBrushClear() { brushClear_ = true; }

void ImageCanvas::Ellipse(int x1, int y1, int x2, int y2) { DrawShape(Shape::Ellipse, x1, y1, x2, y2); }

void ImageCanvas::Rectangle(int x1, int y1, int x2, int y2) { DrawShape(Shape::Rectangle, x1, y1, x2, y2); }

void ImageCanvas::DrawShape(Shape shape, int x1, int y1, int x2, int y2) {
  // Shapes are filled areas, each pixel taken when its centre lies inside:
  // the brush fills the inside, the pen a ring of its width along the edge.
  QRectF outer(QPointF(std::min(x1, x2), std::min(y1, y2)), QPointF(std::max(x1, x2), std::max(y1, y2)));
  if (outer.width() <= 0 || outer.height() <= 0) return;
  QImage& image = target_();
  if (image.isNull()) return;
  QRectF inner = outer.adjusted(penWidth_, penWidth_, -penWidth_, -penWidth_);
  auto addShape = [shape](QPainterPath& path, const QRectF& box) {
    if (shape == Shape::Rectangle) path.addRect(box); else path.addEllipse(box);
  };
  QPainterPath ring;
  ring.setFillRule(Qt::OddEvenFill);
  addShape(ring, outer);
  QPainterPath inside;
  if (inner.width() > 0 && inner.height() > 0) {
    addShape(ring, inner);
    addShape(inside, inner);
  }
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  if (!brushClear_ && !inside.isEmpty()) painter.fillPath(inside, ToQColor(brush_));
  painter.fillPath(ring, ToQColor(pen_));
  painter.end();
  Changed();
}

void ImageCanvas::SetFont(Rgb colour, int size, bool bold, bool italic) {
  fontColour_ = colour;
  fontPoints_ = size;
  bold_ = bold;
  italic_ = italic;
}

void ImageCanvas::TextOut(int x, int y, const std::string& cp932Text) {
  QImage& image = target_();
  if (image.isNull()) return;
  QFont font(FamilyOf(Face::PGothic));
  font.setPixelSize(PointsToPixels(fontPoints_));
  font.setBold(bold_);
  font.setItalic(italic_);
  QString text = DisplayText(cp932Text);
  QPainter painter(&image);
  painter.setFont(font);
  QFontMetrics metrics(font);
  if (!brushClear_) painter.fillRect(QRect(x, y, metrics.horizontalAdvance(text), metrics.height()), ToQColor(brush_));
  painter.setPen(ToQColor(fontColour_));
  painter.drawText(x, y + metrics.ascent(), text);
  painter.end();
  Changed();
}

void ImageCanvas::DrawPicture(const std::string& holder, int x, int y) {
  const QImage* picture = lookup_ ? lookup_(holder) : nullptr;
  if (picture) Draw(*picture, x, y);
}

void ImageCanvas::Draw(const QImage& picture, int x, int y) {
  QImage& image = target_();
  if (image.isNull() || picture.isNull()) return;
  if (!CopyOpaquePicture(picture, x, y, image)) {
    QPainter painter(&image);
    painter.drawImage(x, y, picture);
    painter.end();
  }
  Changed();
}

// The pond's frame is drawn over the whole pond every tick; an opaque
// picture in the target's own format is copied row by row, the pixels a
// painter would give without a painter's set-up each time.
bool CopyOpaquePicture(const QImage& picture, int x, int y, QImage& target) {
  if (picture.format() != QImage::Format_RGB32 || target.format() != QImage::Format_RGB32) return false;
  const QRect area = QRect(x, y, picture.width(), picture.height()) & target.rect();
  if (area.isEmpty()) return true;
  constexpr int kBytesPerPixel = 4;
  const auto rowBytes = static_cast<std::size_t>(area.width()) * kBytesPerPixel;
  for (int row = area.top(); row <= area.bottom(); ++row) {
    std::memcpy(target.scanLine(row) + area.left() * kBytesPerPixel,
                picture.constScanLine(row - y) + (area.left() - x) * kBytesPerPixel, rowBytes);
  }
  return true;
}

}  // namespace ikea::tk
