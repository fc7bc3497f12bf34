#include "tools/assetgen/pictures/Mascot.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

namespace ikea::artwork {
namespace {

const QColor kOutline(0x7A, 0x4B, 0x1E);
const QColor kBeard(0xFF, 0xFF, 0xFF);
const QColor kBeardShade(0xB8, 0xB8, 0xC8);

QPainterPath BeanBody() {
  // Upright bean with the dent on his right, like a boiled soy bean.
  QPainterPath body;
  body.moveTo(30, 6);
  body.cubicTo(40, 5, 46, 14, 44, 22);
  body.cubicTo(43, 27, 41, 28, 42, 32);
  body.cubicTo(43, 39, 36, 42, 29, 41);
  body.cubicTo(19, 41, 14, 33, 15, 24);
  body.cubicTo(16, 13, 21, 6, 30, 6);
  return body;
}

QPainterPath Beard() {
  QPainterPath beard;
  beard.addEllipse(QPointF(24.5, 30.5), 4.2, 4.0);
  beard.addEllipse(QPointF(29.5, 33.5), 5.0, 5.0);
  beard.addEllipse(QPointF(34.5, 30.5), 4.2, 4.0);
  beard.addEllipse(QPointF(29.5, 29.0), 5.5, 3.5);
  beard.setFillRule(Qt::WindingFill);
  return beard.simplified();
}

void DrawRodAndArms(QPainter& p) {
  // Rod in his left hand, line dropping to the water.
  p.setPen(QPen(QColor(0x8B, 0x5A, 0x2B), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 29), QPointF(3, 3));
  p.setPen(QPen(QColor(255, 255, 255, 200), 0.6));
  QPainterPath line;
  line.moveTo(3, 3);
  line.quadTo(1, 20, 5, 41);
  p.drawPath(line);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xE5, 0x39, 0x35));
  p.drawEllipse(QPointF(5, 40.5), 1.6, 1.6);

  p.setPen(QPen(kOutline, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(17, 28), QPointF(11, 28));
  p.drawLine(QPointF(43, 27), QPointF(50, 22));
  p.setPen(QPen(kOutline, 0.8));
  p.setBrush(QColor(0xF2, 0xCF, 0x8C));
  p.drawEllipse(QPointF(10.5, 28.5), 2.2, 2.2);
  p.drawEllipse(QPointF(50.5, 21.5), 2.2, 2.2);
}

void DrawFace(QPainter& p) {
  // Rosy cheeks.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 120, 130, 110));
  p.drawEllipse(QPointF(20.5, 24), 3.2, 2.2);
  p.drawEllipse(QPointF(38.5, 24), 3.2, 2.2);

  // Eyes, each with a highlight.
  p.setBrush(QColor(0x2B, 0x1A, 0x10));
  p.drawEllipse(QPointF(25, 19.5), 1.5, 2.0);
  p.drawEllipse(QPointF(34, 19.5), 1.5, 2.0);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(25.5, 18.8), 0.55, 0.55);
  p.drawEllipse(QPointF(34.5, 18.8), 0.55, 0.55);

  // Bushy eyebrows, drooping outward: a kindly look.
  p.setPen(QPen(kBeardShade, 0.5));
  p.setBrush(kBeard);
  p.save();
  p.translate(24, 15.5);
  p.rotate(-12);
  p.drawEllipse(QPointF(0, 0), 3.4, 1.5);
  p.restore();
  p.save();
  p.translate(35, 15.5);
  p.rotate(12);
  p.drawEllipse(QPointF(0, 0), 3.4, 1.5);
  p.restore();

  // Beard, then the moustache over it, then the nose on top.
  p.drawPath(Beard());
  p.drawEllipse(QPointF(26, 26), 3.8, 2.0);
  p.drawEllipse(QPointF(33, 26), 3.8, 2.0);
  p.setPen(QPen(QColor(0xB0, 0x5A, 0x3A), 0.5));
  p.setBrush(QColor(0xF0, 0x9A, 0x70));
  p.drawEllipse(QPointF(29.5, 23.3), 1.9, 1.6);
}

} // namespace

void DrawMascot(QPainter& painter, const QRectF& box, double lift) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = std::min(box.width() / kMascotWidth, box.height() / kMascotHeight);
  painter.translate(box.center().x() - kMascotWidth * scale / 2,
                    box.center().y() - kMascotHeight * scale / 2);
  painter.scale(scale, scale);

  // Feet stay on the pad; the body rises with `lift`.
  painter.setPen(QPen(kOutline, 0.8));
  painter.setBrush(QColor(0xC8, 0x8E, 0x48));
  painter.drawEllipse(QPointF(24.5, 42.2), 3.6, 1.8);
  painter.drawEllipse(QPointF(34.5, 42.2), 3.6, 1.8);

  painter.translate(0, -lift);
  DrawRodAndArms(painter);

  QRadialGradient skin(QPointF(25, 15), 26);
  skin.setColorAt(0.0, QColor(0xFC, 0xEA, 0xBE));
  skin.setColorAt(0.6, QColor(0xEE, 0xC4, 0x7E));
  skin.setColorAt(1.0, QColor(0xC9, 0x8C, 0x45));
  painter.setPen(QPen(kOutline, 1.2));
  painter.setBrush(skin);
  painter.drawPath(BeanBody());

  // The bean's little scar, and three lonely hairs.
  painter.setPen(QPen(QColor(0xB0, 0x7A, 0x3A), 0.8, Qt::SolidLine, Qt::RoundCap));
  painter.setBrush(Qt::NoBrush);
  QPainterPath scar;
  scar.moveTo(41.5, 30);
  scar.quadTo(40, 33, 41.5, 36);
  painter.drawPath(scar);
  painter.setPen(QPen(QColor(0x60, 0x60, 0x70), 0.8, Qt::SolidLine, Qt::RoundCap));
  QPainterPath hairs;
  hairs.moveTo(28, 6.5);
  hairs.quadTo(25, 3, 27, 0.5);
  hairs.moveTo(30.5, 6);
  hairs.quadTo(31.5, 2.5, 30, 0);
  hairs.moveTo(33, 6.5);
  hairs.quadTo(35.5, 3.5, 35, 1);
  painter.drawPath(hairs);

  DrawFace(painter);
  painter.restore();
}

QImage DrawMascotIcon(int size) {
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 100.0, size / 100.0);

  QRadialGradient water(QPointF(42, 35), 60);
  water.setColorAt(0.0, QColor(0x9C, 0xE2, 0xFF));
  water.setColorAt(1.0, QColor(0x1E, 0x78, 0xC8));
  p.setPen(QPen(Qt::white, 3.5));
  p.setBrush(water);
  p.drawEllipse(QPointF(50, 50), 47, 47);

  p.setPen(QPen(QColor(255, 255, 255, 120), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(50, 82), 34, 7);

  // The lily pad he stands on, with its notch.
  p.setPen(QPen(QColor(0x1B, 0x5E, 0x20), 1.5));
  p.setBrush(QColor(0x4C, 0xAF, 0x50));
  p.drawPie(QRectF(20, 70, 60, 16), 110 * 16, 320 * 16);

  DrawMascot(p, QRectF(14, 14, 76, 66));
  return icon;
}

} // namespace ikea::artwork
