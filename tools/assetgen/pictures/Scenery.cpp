#include "tools/assetgen/pictures/Scenery.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "tools/assetgen/pictures/Mascot.h"

namespace ikea::assets {
namespace {

constexpr double kPi = std::numbers::pi;

// Animation phase of a frame: one full turn over the six frames, so anything
// driven by sin/cos of it loops without a jump.
double Phase(int frame) { return 2 * kPi * frame / kFrameCount; }

// Fixed scatter for placing things; the same picture on every build.
class Scatter {
public:
  explicit Scatter(std::uint32_t seed) : state_(seed) {}
  double Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return (state_ >> 8) / double(1u << 24);
  }
  double Between(double lo, double hi) { return lo + (hi - lo) * Next(); }

private:
  std::uint32_t state_;
};

QFont GameFont(double pixelSize, bool bold) {
  QFont font("IPAPGothic");
  font.setPixelSize(static_cast<int>(pixelSize));
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

void DrawCloud(QPainter& p, QPointF c, double s, QColor body, QColor shade) {
  QPainterPath cloud;
  cloud.addEllipse(c + QPointF(-14 * s, 2 * s), 12 * s, 8 * s);
  cloud.addEllipse(c + QPointF(0, -4 * s), 14 * s, 11 * s);
  cloud.addEllipse(c + QPointF(14 * s, 1 * s), 12 * s, 9 * s);
  cloud.addEllipse(c + QPointF(3 * s, 5 * s), 20 * s, 7 * s);
  cloud.setFillRule(Qt::WindingFill);
  cloud = cloud.simplified();
  p.setPen(Qt::NoPen);
  p.setBrush(shade);
  p.drawPath(cloud.translated(0, 2 * s));
  p.setBrush(body);
  p.drawPath(cloud);
}

// A round leaf seen at a slant, with its notch pointing at `notchDeg`.
void DrawLilyPad(QPainter& p, QPointF c, double w, QColor fill, QColor edge, double notchDeg) {
  const QRectF box(c.x() - w / 2, c.y() - w * 0.18, w, w * 0.36);
  p.setPen(QPen(edge, std::max(0.6, w / 40)));
  p.setBrush(fill);
  p.drawPie(box, static_cast<int>((notchDeg + 18) * 16), 324 * 16);
  // Veins.
  p.setPen(QPen(edge.lighter(115), std::max(0.4, w / 70)));
  for (int i = 0; i < 5; ++i) {
    const double a = (notchDeg + 60 + i * 60) * kPi / 180;
    p.drawLine(c, c + QPointF(std::cos(a) * w * 0.38, -std::sin(a) * w * 0.14));
  }
}

void DrawLotus(QPainter& p, QPointF c, double s, QColor petal, QColor heart) {
  p.setPen(QPen(petal.darker(130), 0.5));
  p.setBrush(petal);
  for (int i = -2; i <= 2; ++i) {
    p.save();
    p.translate(c);
    p.rotate(i * 28);
    p.drawEllipse(QPointF(0, -3.2 * s), 1.6 * s, 3.4 * s);
    p.restore();
  }
  p.setPen(Qt::NoPen);
  p.setBrush(heart);
  p.drawEllipse(c + QPointF(0, -0.5 * s), 1.4 * s, 1.0 * s);
}

// Four-pointed glint.
void DrawSparkle(QPainter& p, QPointF c, double r, QColor color) {
  QPainterPath star;
  star.moveTo(c + QPointF(0, -r));
  star.quadTo(c, c + QPointF(r, 0));
  star.quadTo(c, c + QPointF(0, r));
  star.quadTo(c, c + QPointF(-r, 0));
  star.quadTo(c, c + QPointF(0, -r));
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(star);
}

// A clump of reeds rooted at baseY, leaning with the breeze by `sway`.
void DrawReeds(QPainter& p, double left, double right, double baseY, double tallest, double phase,
               QColor blade, QColor head, std::uint32_t seed) {
  Scatter s(seed);
  const int count = static_cast<int>((right - left) / 3.2) + 3;
  for (int i = 0; i < count; ++i) {
    const double x = s.Between(left, right);
    const double h = s.Between(0.45, 1.0) * tallest;
    const double lean = s.Between(-6, 6) + 1.8 * std::sin(phase + i * 0.9);
    const QPointF tip(x + lean, baseY - h);
    QPainterPath stem;
    stem.moveTo(x, baseY);
    stem.quadTo(x + lean * 0.2, baseY - h * 0.6, tip.x(), tip.y());
    const QColor c = i % 3 == 0 ? blade.darker(120) : blade;
    p.setPen(QPen(c, s.Between(1.0, 2.0), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(stem);
    if (i % 4 == 1) {
      // Cattail head just below the tip.
      p.setPen(Qt::NoPen);
      p.setBrush(head);
      const QPointF at = tip + QPointF(-lean * 0.08, h * 0.14);
      p.drawRoundedRect(QRectF(at.x() - 1.8, at.y() - 5, 3.6, 10), 1.8, 1.8);
    }
  }
}

// ---------------------------------------------------------------- title

void DrawTitleSky(QPainter& p, double phase) {
  QLinearGradient sky(0, 0, 0, 112);
  sky.setColorAt(0.0, QColor(0x5E, 0xBF, 0xF5));
  sky.setColorAt(1.0, QColor(0xD8, 0xF3, 0xFF));
  p.fillRect(QRect(0, 0, kTitleWidth, 113), sky);

  // Sun in the corner; its twelve rays turn one twelfth of a turn per cycle,
  // which maps the rays onto themselves.
  const QPointF sun(22, 20);
  p.save();
  p.translate(sun);
  p.rotate(phase / (2 * kPi) * 30);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xE0, 0x66, 170));
  for (int i = 0; i < 12; ++i) {
    p.rotate(30);
    QPolygonF ray;
    ray << QPointF(-3, -24) << QPointF(0, -34) << QPointF(3, -24);
    p.drawPolygon(ray);
  }
  p.restore();
  QRadialGradient sunFill(sun, 20);
  sunFill.setColorAt(0.0, QColor(0xFF, 0xF8, 0xC0));
  sunFill.setColorAt(1.0, QColor(0xFF, 0xC8, 0x30));
  p.setBrush(sunFill);
  p.drawEllipse(sun, 19, 19);

  const QColor body(255, 255, 255, 235);
  const QColor shade(0xB8, 0xD8, 0xF0, 200);
  DrawCloud(p, QPointF(78 + 4 * std::sin(phase), 86), 0.9, body, shade);
  DrawCloud(p, QPointF(338 + 4 * std::sin(phase + 2.1), 78), 1.05, body, shade);
  DrawCloud(p, QPointF(262 + 3 * std::sin(phase + 4.2), 97), 0.6, body, shade);

  // Far hills and the far shore's trees.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x8B, 0xC3, 0x4A));
  p.drawEllipse(QPointF(60, 124), 120, 26);
  p.drawEllipse(QPointF(350, 126), 130, 30);
  p.setBrush(QColor(0x55, 0x9B, 0x3A));
  Scatter s(7);
  for (double x = -4; x < kTitleWidth + 8; x += s.Between(7, 12)) {
    const double r = s.Between(6, 10);
    p.drawEllipse(QPointF(x, 112 - r * 0.4), r, r * 0.9);
  }
  p.fillRect(QRect(0, 110, kTitleWidth, 3), QColor(0x55, 0x9B, 0x3A));
}

void DrawTitleWater(QPainter& p, double phase) {
  QLinearGradient water(0, 112, 0, kTitleHeight);
  water.setColorAt(0.0, QColor(0x7F, 0xD0, 0xF2));
  water.setColorAt(0.35, QColor(0x3F, 0xA6, 0xE0));
  water.setColorAt(1.0, QColor(0x1C, 0x6C, 0xB4));
  p.fillRect(QRect(0, 112, kTitleWidth, kTitleHeight - 112), water);

  // Drifting light streaks on the surface.
  Scatter s(11);
  for (int i = 0; i < 60; ++i) {
    const double y = s.Between(118, kTitleHeight - 2);
    const double depth = (y - 112) / (kTitleHeight - 112);
    const double len = 6 + 22 * depth * s.Next();
    const double x = s.Between(-10, kTitleWidth) + 5 * std::sin(phase + i);
    const int alpha = static_cast<int>(60 + 60 * std::sin(phase * 1 + i * 1.7));
    p.setPen(QPen(QColor(255, 255, 255, std::max(0, alpha)), 1.0 + depth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, y), QPointF(x + len, y));
  }
}

void DrawTitleSparkles(QPainter& p, double phase) {
  Scatter s(23);
  for (int i = 0; i < 14; ++i) {
    const QPointF at(s.Between(20, kTitleWidth - 20), s.Between(132, kTitleHeight - 8));
    const double b = std::sin(phase + i * 2.4);
    if (b < 0.2) continue;
    DrawSparkle(p, at, 2 + 4 * b, QColor(255, 255, 255, static_cast<int>(255 * b)));
  }
}

void DrawTitlePads(QPainter& p, double phase) {
  const QColor fill(0x4C, 0xAF, 0x50), edge(0x1B, 0x5E, 0x20);
  struct Pad { double x, y, w, notch; };
  const Pad pads[] = {{62, 150, 34, 80}, {112, 182, 44, 200}, {330, 160, 38, 120},
                      {372, 206, 48, 60}, {46, 232, 56, 150}, {318, 262, 44, 100}};
  int k = 0;
  for (const Pad& pad : pads) {
    DrawLilyPad(p, QPointF(pad.x, pad.y + 0.8 * std::sin(phase + k++)), pad.w, fill, edge, pad.notch);
  }
  DrawLotus(p, QPointF(114, 180 + 0.8 * std::sin(phase + 1)), 2.0, QColor(0xFF, 0x9E, 0xC4), QColor(0xFF, 0xEB, 0x3B));
  DrawLotus(p, QPointF(372, 204 + 0.8 * std::sin(phase + 3)), 2.2, QColor(0xFF, 0xFF, 0xFF), QColor(0xFF, 0xC1, 0x07));
}

void DrawMascotOnPad(QPainter& p, double phase) {
  // Rings spread from his pad and fade out before the next one starts.
  const QPointF centre(210.5, 123);
  p.setBrush(Qt::NoBrush);
  for (int k = 0; k < 2; ++k) {
    const double t = std::fmod(phase / (2 * kPi) + k * 0.5, 1.0);
    p.setPen(QPen(QColor(255, 255, 255, static_cast<int>(170 * (1 - t))), 1.2));
    p.drawEllipse(centre, 30 + 26 * t, 6 + 6 * t);
  }
  DrawLilyPad(p, centre, 62, QColor(0x66, 0xBB, 0x6A), QColor(0x1B, 0x5E, 0x20), 270);
  const double lift = 1.5 - 1.5 * std::cos(phase);
  artwork::DrawMascot(p, QRectF(180, 80, 61, 45), lift);
}

void DrawTitleLettering(QPainter& p) {
  const QString title = QString::fromUtf8("豆煮え爺の池遊び");
  const QFont font = GameFont(44, true);
  const QFontMetricsF metrics(font);
  double width = 0;
  for (QChar c : title) width += metrics.horizontalAdvance(c) + 2;
  double x = (kTitleWidth - width) / 2;
  const double baseline = 58;

  for (int i = 0; i < title.size(); ++i) {
    const QChar c = title[i];
    const double advance = metrics.horizontalAdvance(c);
    QPainterPath glyph;
    glyph.addText(0, 0, font, QString(c));
    p.save();
    // Each letter hops and tilts a little, alternately.
    p.translate(x + advance / 2, baseline + (i % 2 == 0 ? -2 : 3));
    p.rotate(i % 2 == 0 ? -5 : 4);
    p.translate(-advance / 2, 0);

    QLinearGradient fill(0, -40, 0, 4);
    if (i < 4) {  // the old man's name: warm
      fill.setColorAt(0.0, QColor(0xFF, 0xF5, 0x9D));
      fill.setColorAt(1.0, QColor(0xFF, 0x8F, 0x00));
    } else if (i == 4) {
      fill.setColorAt(0.0, QColor(0xFF, 0xE0, 0xEC));
      fill.setColorAt(1.0, QColor(0xFF, 0x6F, 0xA8));
    } else {  // the pond: cool
      fill.setColorAt(0.0, QColor(0xE1, 0xF9, 0xFF));
      fill.setColorAt(1.0, QColor(0x21, 0x9B, 0xF3));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x3E, 0x21, 0x0E), 8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(glyph.translated(1.5, 2.5));
    p.drawPath(glyph);
    p.setPen(QPen(Qt::white, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(glyph);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(glyph);
    p.restore();
    x += advance + 2;
  }
}

void DrawPlate(QPainter& p, const QRect& area, const QString& caption) {
  // Fills the click area exactly; only the soft shadow reaches outside it.
  const QRectF r = QRectF(area).adjusted(0.75, 0.75, -0.75, -0.75);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 30, 70, 90));
  p.drawRoundedRect(r.translated(2, 2), 7, 7);
  QLinearGradient wood(0, area.top(), 0, area.bottom());
  wood.setColorAt(0.0, QColor(0xE0, 0xA8, 0x68));
  wood.setColorAt(0.5, QColor(0xC2, 0x80, 0x42));
  wood.setColorAt(1.0, QColor(0x93, 0x58, 0x26));
  p.setPen(QPen(QColor(0x5B, 0x34, 0x13), 1.5));
  p.setBrush(wood);
  p.drawRoundedRect(r, 7, 7);
  p.setPen(QPen(QColor(255, 240, 210, 150), 1.0));
  p.drawLine(QPointF(r.left() + 7, r.top() + 2.5), QPointF(r.right() - 7, r.top() + 2.5));
  // A nail at each end.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x6D, 0x4C, 0x41));
  p.drawEllipse(QPointF(r.left() + 7, r.center().y()), 2, 2);
  p.drawEllipse(QPointF(r.right() - 7, r.center().y()), 2, 2);

  p.setFont(GameFont(16, true));
  p.setPen(QColor(0x4E, 0x2A, 0x10));
  p.drawText(QRectF(area).translated(1, 1), Qt::AlignCenter, caption);
  p.setPen(QColor(0xFF, 0xFB, 0xEE));
  p.drawText(QRectF(area), Qt::AlignCenter, caption);
}

// ---------------------------------------------------------------- pond

struct Lighting {
  QColor skyTop, skyBottom, trees, treesFar, waterFar, waterNear, reflection, shimmer;
  QColor pad, padEdge, flower, flowerHeart, reed, reedHead;
  bool sun = false, moon = false, stars = false, fireflies = false, dragonfly = false;
};

Lighting LightingFor(PondLight light) {
  switch (light) {
  case PondLight::Day:
    return {QColor(0x8E, 0xD4, 0xFF), QColor(0xDC, 0xF4, 0xFF), QColor(0x38, 0x8E, 0x3C),
            QColor(0x66, 0xAE, 0x5A), QColor(0x82, 0xCF, 0xF0), QColor(0x1E, 0x6E, 0xB0),
            QColor(0x2E, 0x7D, 0x52, 140), QColor(255, 255, 255),
            QColor(0x4C, 0xAF, 0x50), QColor(0x1B, 0x5E, 0x20), QColor(0xFF, 0x9E, 0xC4),
            QColor(0xFF, 0xEB, 0x3B), QColor(0x55, 0x8B, 0x2F), QColor(0x79, 0x4B, 0x2A),
            false, false, false, false, true};
  case PondLight::Twilight:
    return {QColor(0xFF, 0x8A, 0x65), QColor(0xFF, 0xD5, 0x9E), QColor(0x4E, 0x34, 0x40),
            QColor(0x8D, 0x5A, 0x6A), QColor(0xF6, 0xB0, 0x82), QColor(0x5A, 0x3E, 0x78),
            QColor(0x4E, 0x34, 0x40, 150), QColor(0xFF, 0xE0, 0x8A),
            QColor(0x6B, 0x8E, 0x3A), QColor(0x33, 0x4A, 0x1E), QColor(0xFF, 0xB3, 0xC8),
            QColor(0xFF, 0xD5, 0x4F), QColor(0x5D, 0x4A, 0x2A), QColor(0x4E, 0x2C, 0x1A),
            true, false, false, false, false};
  case PondLight::Night:
    return {QColor(0x0A, 0x10, 0x30), QColor(0x22, 0x2C, 0x5C), QColor(0x0B, 0x16, 0x1E),
            QColor(0x1A, 0x26, 0x3A), QColor(0x24, 0x36, 0x66), QColor(0x08, 0x10, 0x28),
            QColor(0x05, 0x0A, 0x14, 160), QColor(0xD8, 0xE4, 0xFF),
            QColor(0x23, 0x4A, 0x38), QColor(0x0E, 0x24, 0x1A), QColor(0xE8, 0xE0, 0xFF),
            QColor(0xFF, 0xF1, 0x9A), QColor(0x1E, 0x33, 0x28), QColor(0x2A, 0x1E, 0x16),
            false, true, true, true, false};
  }
  return {};
}

constexpr double kShoreY = 24;  // far shore meets the water; casts land below it

void DrawPondSky(QPainter& p, const Lighting& L, double phase) {
  QLinearGradient sky(0, 0, 0, kShoreY);
  sky.setColorAt(0.0, L.skyTop);
  sky.setColorAt(1.0, L.skyBottom);
  p.fillRect(QRectF(0, 0, kPondWidth, kShoreY), sky);

  p.setPen(Qt::NoPen);
  if (L.stars) {
    Scatter s(5);
    for (int i = 0; i < 26; ++i) {
      const QPointF at(s.Between(2, kPondWidth - 2), s.Between(1, 14));
      const double b = 0.55 + 0.45 * std::sin(phase + i * 1.3);
      p.setBrush(QColor(255, 255, 230, static_cast<int>(255 * b)));
      p.drawEllipse(at, 0.6 + 0.5 * b, 0.6 + 0.5 * b);
    }
  }
  if (L.moon) {
    QPainterPath moon;
    moon.addEllipse(QPointF(238, 8), 5.5, 5.5);
    QPainterPath bite;
    bite.addEllipse(QPointF(241, 6), 4.6, 4.6);
    p.setBrush(QColor(255, 250, 200, 60));
    p.drawEllipse(QPointF(238, 8), 9, 9);
    p.setBrush(QColor(0xFF, 0xF6, 0xC8));
    p.drawPath(moon.subtracted(bite));
  }
  if (L.sun) {
    // Low over the far trees, its lower half already behind them.
    QRadialGradient glow(QPointF(200, 8), 36);
    glow.setColorAt(0.0, QColor(255, 240, 180, 220));
    glow.setColorAt(1.0, QColor(255, 200, 120, 0));
    p.setBrush(glow);
    p.drawEllipse(QPointF(200, 8), 36, 36);
    p.setBrush(QColor(0xFF, 0xE8, 0x90));
    p.drawEllipse(QPointF(200, 8), 7, 7);
  } else if (!L.stars) {
    DrawCloud(p, QPointF(70 + 2 * std::sin(phase), 7), 0.45, QColor(255, 255, 255, 220), QColor(200, 225, 245, 160));
    DrawCloud(p, QPointF(215 + 2 * std::sin(phase + 2), 5), 0.35, QColor(255, 255, 255, 220), QColor(200, 225, 245, 160));
  }
}

void DrawFarShore(QPainter& p, const Lighting& L) {
  p.setPen(Qt::NoPen);
  p.setBrush(L.treesFar);
  Scatter s(3);
  for (double x = -6; x < kPondWidth + 6; x += s.Between(8, 14)) {
    const double r = s.Between(5, 9);
    p.drawEllipse(QPointF(x, kShoreY - 3 - r * 0.4), r, r * 0.7);
  }
  p.setBrush(L.trees);
  for (double x = -4; x < kPondWidth + 6; x += s.Between(5, 9)) {
    const double r = s.Between(4, 7);
    p.drawEllipse(QPointF(x, kShoreY - r * 0.45), r, r * 0.75);
  }
  p.fillRect(QRectF(0, kShoreY - 2, kPondWidth, 2), L.trees);
}

void DrawPondWater(QPainter& p, const Lighting& L, double phase) {
  QLinearGradient water(0, kShoreY, 0, kPondHeight);
  water.setColorAt(0.0, L.waterFar);
  water.setColorAt(1.0, L.waterNear);
  p.fillRect(QRectF(0, kShoreY, kPondWidth, kPondHeight - kShoreY), water);

  // The far trees mirrored in the water, the edge rippling.
  QPainterPath mirror;
  mirror.moveTo(0, kShoreY);
  for (int x = 0; x <= kPondWidth; x += 4) {
    mirror.lineTo(x, kShoreY + 7 + 1.5 * std::sin(x * 0.21 + phase) + 1.0 * std::sin(x * 0.53 - phase));
  }
  mirror.lineTo(kPondWidth, kShoreY);
  mirror.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(L.reflection);
  p.drawPath(mirror);

  // Light streaks, longer and further apart nearer the bank; each drifts and
  // breathes once per cycle.
  Scatter s(17);
  for (int i = 0; i < 90; ++i) {
    const double depth = std::pow(s.Next(), 0.8);
    const double y = kShoreY + 9 + depth * (kPondHeight - kShoreY - 10);
    const double len = 3 + 16 * depth * s.Between(0.5, 1.0);
    const double x = s.Between(-10, kPondWidth) + (2 + 3 * depth) * std::sin(phase + i * 0.7);
    const double b = 0.5 + 0.5 * std::sin(phase + i * 1.9);
    QColor c = L.shimmer;
    c.setAlpha(static_cast<int>(40 + 110 * b));
    p.setPen(QPen(c, 0.8 + 0.8 * depth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, y), QPointF(x + len, y));
  }

  // A column of light under the low sun or the moon.
  if (L.sun || L.moon) {
    const double cx = L.sun ? 200 : 238;
    QColor c = L.sun ? QColor(0xFF, 0xEC, 0xA0) : QColor(0xFF, 0xF6, 0xC8);
    for (int i = 0; i < 22; ++i) {
      const double y = kShoreY + 4 + i * 5.5;
      const double half = (3 + i * 0.9) * (0.7 + 0.3 * std::sin(phase + i * 1.1));
      c.setAlpha(static_cast<int>(200 - i * 7));
      p.setPen(QPen(c, 1.2, Qt::SolidLine, Qt::RoundCap));
      const double sway = 1.5 * std::sin(phase + i * 0.8);
      p.drawLine(QPointF(cx - half + sway, y), QPointF(cx + half + sway, y));
    }
  }
}

void DrawPondPads(QPainter& p, const Lighting& L, double phase) {
  struct Pad { double x, y, w, notch; };
  const Pad pads[] = {{58, 46, 14, 90}, {190, 40, 11, 200}, {246, 58, 17, 130}, {104, 78, 22, 40},
                      {40, 116, 30, 300}, {214, 104, 26, 250}, {150, 148, 34, 160}, {262, 168, 40, 80},
                      {70, 178, 38, 20}};
  int k = 0;
  for (const Pad& pad : pads) {
    DrawLilyPad(p, QPointF(pad.x, pad.y + 0.6 * std::sin(phase + k++ * 1.3)), pad.w, L.pad, L.padEdge, pad.notch);
  }
  DrawLotus(p, QPointF(104, 76 + 0.6 * std::sin(phase + 3 * 1.3)), 1.3, L.flower, L.flowerHeart);
  DrawLotus(p, QPointF(264, 165 + 0.6 * std::sin(phase + 7 * 1.3)), 2.0, L.flower, L.flowerHeart);
}

void DrawPondBank(QPainter& p, const Lighting& L, double phase) {
  DrawReeds(p, -4, 26, kPondHeight + 2, 95, phase, L.reed, L.reedHead, 41);
  DrawReeds(p, 276, 304, kPondHeight + 2, 105, phase + 1.0, L.reed, L.reedHead, 43);
  DrawReeds(p, 0, 12, 60, 28, phase + 2.0, L.reed, L.reedHead, 47);
  DrawReeds(p, 288, 300, 52, 24, phase + 3.0, L.reed, L.reedHead, 53);
}

void DrawPondCritters(QPainter& p, const Lighting& L, double phase) {
  if (L.fireflies) {
    Scatter s(61);
    for (int i = 0; i < 7; ++i) {
      const bool left = i % 2 == 0;
      const QPointF at(left ? s.Between(6, 40) : s.Between(262, 294), s.Between(100, 170));
      const double b = 0.5 + 0.5 * std::sin(phase + i * 2.0);
      const QPointF drift(1.5 * std::sin(phase + i), 1.5 * std::cos(phase + i));
      QRadialGradient glow(at + drift, 5);
      glow.setColorAt(0.0, QColor(230, 255, 140, static_cast<int>(220 * b)));
      glow.setColorAt(1.0, QColor(230, 255, 140, 0));
      p.setPen(Qt::NoPen);
      p.setBrush(glow);
      p.drawEllipse(at + drift, 5, 5);
    }
  }
  if (L.dragonfly) {
    // A red dragonfly hovering over the reeds, wings flickering.
    const QPointF at(38 + 1.5 * std::sin(phase), 88 + 1.0 * std::cos(phase));
    const double flap = 0.6 + 0.4 * std::cos(3 * phase);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.4));
    p.setBrush(QColor(230, 240, 255, 150));
    p.drawEllipse(at + QPointF(-1, -2.5 * flap), 4, 1.2 * flap + 0.4);
    p.drawEllipse(at + QPointF(-1, 2.5 * flap), 4, 1.2 * flap + 0.4);
    p.setPen(QPen(QColor(0xE5, 0x39, 0x35), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(at + QPointF(-5, 0), at + QPointF(4, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xB7, 0x1C, 0x1C));
    p.drawEllipse(at + QPointF(-5.5, 0), 1.3, 1.3);
  }
}

// ---------------------------------------------------------------- tank

void DrawFish(QPainter& p, QPointF c, double s) {
  QPainterPath tail;
  tail.moveTo(c + QPointF(8 * s, 0));
  tail.lineTo(c + QPointF(15 * s, -6 * s));
  tail.quadTo(c + QPointF(12.5 * s, 0), c + QPointF(15 * s, 6 * s));
  tail.closeSubpath();
  p.setPen(QPen(QColor(0xBF, 0x36, 0x0C), 0.7));
  p.setBrush(QColor(0xFF, 0x8A, 0x3D));
  p.drawPath(tail);
  QLinearGradient body(c.x(), c.y() - 6 * s, c.x(), c.y() + 6 * s);
  body.setColorAt(0.0, QColor(0xFF, 0x70, 0x2A));
  body.setColorAt(0.65, QColor(0xFF, 0xA0, 0x50));
  body.setColorAt(1.0, QColor(0xFF, 0xE8, 0xC8));
  p.setBrush(body);
  p.drawEllipse(c, 10 * s, 6 * s);
  // Fin, eye and a smile.
  p.setBrush(QColor(0xFF, 0xB3, 0x70));
  p.drawEllipse(c + QPointF(1 * s, 1.5 * s), 3 * s, 1.8 * s);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(c + QPointF(-5.5 * s, -1.5 * s), 2.2 * s, 2.2 * s);
  p.setBrush(QColor(0x21, 0x21, 0x21));
  p.drawEllipse(c + QPointF(-6 * s, -1.5 * s), 1.2 * s, 1.3 * s);
  p.setPen(QPen(QColor(0xBF, 0x36, 0x0C), 0.6));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(c.x() - 10 * s, c.y() + 0.5 * s, 3 * s, 2 * s), 180 * 16, 180 * 16);
}

} // namespace

QImage DrawTitleFrame(int frame) {
  const double phase = Phase(frame);
  QImage image(kTitleWidth, kTitleHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  DrawTitleSky(p, phase);
  DrawTitleWater(p, phase);
  DrawTitlePads(p, phase);
  DrawReeds(p, -6, 40, kTitleHeight + 2, 130, phase, QColor(0x55, 0x8B, 0x2F), QColor(0x79, 0x4B, 0x2A), 101);
  DrawReeds(p, 372, 414, kTitleHeight + 2, 140, phase + 1.5, QColor(0x55, 0x8B, 0x2F), QColor(0x79, 0x4B, 0x2A), 103);
  DrawTitleSparkles(p, phase);
  DrawMascotOnPad(p, phase);
  DrawTitleLettering(p);
  DrawPlate(p, QRect(148, 208, 121, 25), QStringLiteral("NEW GAME"));
  DrawPlate(p, QRect(148, 244, 121, 25), QStringLiteral("COUNTINE"));
  return image;
}

QImage DrawPondFrame(PondLight light, int frame) {
  const double phase = Phase(frame);
  const Lighting L = LightingFor(light);
  QImage image(kPondWidth, kPondHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  DrawPondSky(p, L, phase);
  DrawPondWater(p, L, phase);
  DrawFarShore(p, L);
  DrawPondPads(p, L, phase);
  DrawPondBank(p, L, phase);
  DrawPondCritters(p, L, phase);
  return image;
}

QImage DrawBackground() {
  QImage image(kTitleWidth, kTitleHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient deep(0, 0, 0, kTitleHeight);
  deep.setColorAt(0.0, QColor(0x1E, 0x7F, 0xD8));
  deep.setColorAt(1.0, QColor(0x00, 0x3C, 0x80));
  p.fillRect(image.rect(), deep);

  // Wavering light from the surface.
  Scatter s(71);
  for (int i = 0; i < 14; ++i) {
    QPainterPath ray;
    const double x = s.Between(-40, kTitleWidth);
    ray.moveTo(x, 0);
    ray.lineTo(x + 18, 0);
    ray.lineTo(x + 60, kTitleHeight);
    ray.lineTo(x + 36, kTitleHeight);
    ray.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, static_cast<int>(s.Between(6, 16))));
    p.drawPath(ray);
  }
  // Rising bubbles.
  for (int i = 0; i < 40; ++i) {
    const QPointF at(s.Between(0, kTitleWidth), s.Between(0, kTitleHeight));
    const double r = s.Between(1.5, 7);
    p.setPen(QPen(QColor(255, 255, 255, 120), 0.8));
    p.setBrush(QColor(255, 255, 255, 30));
    p.drawEllipse(at, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.drawEllipse(at + QPointF(-r * 0.35, -r * 0.35), r * 0.25, r * 0.25);
  }
  // Pads seen from below, dark against the light.
  p.setBrush(QColor(0x0B, 0x3D, 0x2A, 150));
  p.drawPie(QRectF(20, -30, 120, 60), 200 * 16, 320 * 16);
  p.drawPie(QRectF(290, -24, 100, 48), 300 * 16, 320 * 16);
  return image;
}

QImage DrawTank(bool withFish) {
  QImage image(kTankWidth, kTankHeight, QImage::Format_RGB32);
  image.fill(QColor(0x00, 0x23, 0x46));  // the tank panel's own colour
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);

  const QRectF glass(4, 10, 68, 55);
  QLinearGradient water(0, glass.top(), 0, glass.bottom());
  water.setColorAt(0.0, QColor(0x9E, 0xE0, 0xFA));
  water.setColorAt(1.0, QColor(0x2B, 0x8B, 0xD2));
  p.fillRect(QRectF(glass.left(), glass.top() + 4, glass.width(), glass.height() - 4), water);
  p.fillRect(QRectF(glass.left(), glass.top(), glass.width(), 4), QColor(0xD6, 0xF2, 0xFF));
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.0));
  p.drawLine(QPointF(glass.left(), glass.top() + 4), QPointF(glass.right(), glass.top() + 4));

  // Gravel of many colours.
  Scatter s(83);
  p.setPen(Qt::NoPen);
  p.fillRect(QRectF(glass.left(), 57, glass.width(), glass.bottom() - 57), QColor(0xD7, 0xB8, 0x84));
  const QColor pebbles[] = {QColor(0xF4, 0xE1, 0xB5), QColor(0xA1, 0x88, 0x7F), QColor(0xFF, 0xAB, 0x91),
                            QColor(0x90, 0xCA, 0xF9), QColor(0x8D, 0x6E, 0x63)};
  for (int i = 0; i < 46; ++i) {
    p.setBrush(pebbles[i % 5]);
    p.drawEllipse(QPointF(s.Between(glass.left() + 1, glass.right() - 1), s.Between(57.5, glass.bottom() - 1)),
                  s.Between(1.0, 2.0), s.Between(0.8, 1.4));
  }

  // Water weeds.
  for (int k = 0; k < 3; ++k) {
    const double x = 12 + k * 5;
    QPainterPath weed;
    weed.moveTo(x, 59);
    weed.cubicTo(x - 5, 48, x + 5, 38, x - 1 + k, 22 + k * 5);
    p.setPen(QPen(k == 1 ? QColor(0x2E, 0x7D, 0x32) : QColor(0x43, 0xA0, 0x47), 2.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(weed);
  }
  QPainterPath weed;
  weed.moveTo(62, 59);
  weed.cubicTo(66, 50, 58, 44, 63, 34);
  p.setPen(QPen(QColor(0x66, 0xBB, 0x6A), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(weed);

  // Bubbles from the air stone.
  p.setPen(QPen(QColor(255, 255, 255, 210), 0.7));
  p.setBrush(QColor(255, 255, 255, 50));
  const double bubbles[][3] = {{53, 52, 1.6}, {54.5, 44, 1.3}, {52.5, 36, 1.8}, {54, 27, 1.2}, {53, 19, 1.5}};
  for (const auto& b : bubbles) p.drawEllipse(QPointF(b[0], b[1]), b[2], b[2]);

  if (withFish) {
    DrawFish(p, QPointF(36, 38), 1.25);
    p.drawEllipse(QPointF(22.5, 31), 1.2, 1.2);
    p.drawEllipse(QPointF(20.5, 25), 1.6, 1.6);
  }

  // Glass shine, then the frame: rim above, stand below, thin sides.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 55));
  QPolygonF shine;
  shine << QPointF(8, 16) << QPointF(14, 16) << QPointF(8, 34);
  p.drawPolygon(shine);
  const QColor frame(0x37, 0x47, 0x4F), frameLight(0x78, 0x90, 0x9C);
  p.fillRect(QRectF(glass.left() - 1, glass.top(), 1.5, glass.height()), frame);
  p.fillRect(QRectF(glass.right() - 0.5, glass.top(), 1.5, glass.height()), frame);
  p.setPen(QPen(QColor(0x26, 0x32, 0x38), 1.0));
  p.setBrush(frame);
  p.drawRoundedRect(QRectF(1.5, 6.5, 73, 5), 1.5, 1.5);
  p.drawRoundedRect(QRectF(1.5, 64.5, 73, 6), 1.5, 1.5);
  p.setPen(QPen(frameLight, 1.0));
  p.drawLine(QPointF(3, 7.7), QPointF(73, 7.7));
  p.drawLine(QPointF(3, 65.7), QPointF(73, 65.7));
  return image;
}

} // namespace ikea::assets
