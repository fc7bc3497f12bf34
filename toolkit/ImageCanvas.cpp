#include "toolkit/ImageCanvas.h"

#include <QPainter>

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
  QRect box = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
  if (box.width() <= 0 || box.height() <= 0) return;
  QImage& image = target_();
  if (image.isNull()) return;
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  if (!brushClear_) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(ToQColor(brush_));
    if (shape == Shape::Rectangle) {
      painter.fillRect(box, ToQColor(brush_));
    } else {
      painter.drawEllipse(QRectF(box).adjusted(0, 0, 1, 1));  // fills the pixels whose centres lie inside
    }
  }
  // The pen lies inside the box: a width-w pen covers w pixels from each edge.
  QPen pen(ToQColor(pen_));
  pen.setWidth(penWidth_);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  double inset = penWidth_ / 2.0;
  QRectF outline = QRectF(box).adjusted(0, 0, 1, 1).adjusted(inset, inset, -inset, -inset);
  if (outline.width() < 0 || outline.height() < 0) outline = QRectF(box).adjusted(0.5, 0.5, 0.5, 0.5);
  if (shape == Shape::Rectangle) {
    painter.drawRect(outline);
  } else {
    painter.drawEllipse(outline);
  }
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
  QPainter painter(&image);
  painter.drawImage(x, y, picture);
  painter.end();
  Changed();
}

}  // namespace ikea::tk
