#include "tools/assetgen/pictures/RaceTrack.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace ikea::artwork {
namespace {

constexpr int kW = kRaceTrackWidth;
constexpr int kH = kRaceTrackHeight;

void DrawWater(QPainter& p) {
  for (int lane = 0; lane < kRaceLanes; ++lane) {
    QLinearGradient g(0, LaneTop(lane), 0, LaneTop(lane) + 16);
    const bool light = lane % 2 == 0;
    g.setColorAt(0.0, light ? QColor(0x4F, 0xC3, 0xF7) : QColor(0x3A, 0xB0, 0xE8));
    g.setColorAt(1.0, light ? QColor(0x29, 0x9E, 0xE0) : QColor(0x1E, 0x8A, 0xD0));
    p.fillRect(QRect(0, LaneTop(lane), kW, 16), g);
  }
  // Banks above the first lane and below the last.
  p.fillRect(QRect(0, 0, kW, LaneTop(0)), QColor(0x7C, 0xB3, 0x42));
  p.fillRect(QRect(0, LaneTop(kRaceLanes), kW, kH - LaneTop(kRaceLanes)), QColor(0x7C, 0xB3, 0x42));

  // Little wave marks, fixed so the course looks the same every race.
  p.setPen(QPen(QColor(255, 255, 255, 90), 1.0));
  p.setBrush(Qt::NoBrush);
  for (int lane = 0; lane < kRaceLanes; ++lane) {
    for (int i = 0; i < 9; ++i) {
      const double x = 30 + i * 38 + (lane * 17) % 29;
      const double y = LaneTop(lane) + 5 + (i + lane) % 3 * 3;
      QPainterPath wave;
      wave.moveTo(x, y);
      wave.quadTo(x + 3, y - 2, x + 6, y);
      wave.quadTo(x + 9, y + 2, x + 12, y);
      p.drawPath(wave);
    }
  }
}

void DrawLaneRopes(QPainter& p) {
  // Lines of red and white floats between the lanes.
  p.setPen(Qt::NoPen);
  for (int rope = 0; rope <= kRaceLanes; ++rope) {
    const double y = LaneTop(rope);
    p.fillRect(QRectF(0, y - 0.5, kW, 1), QColor(255, 255, 255, 110));
    for (int x = 6, i = 0; x < kRaceFinishX; x += 7, ++i) {
      p.setBrush(i % 2 == 0 ? QColor(0xF4, 0x43, 0x36) : QColor(0xFA, 0xFA, 0xFA));
      p.drawEllipse(QPointF(x, y), 1.6, 1.2);
    }
  }
}

void DrawStart(QPainter& p) {
  // A wooden start gate just left of where the runners line up.
  p.fillRect(QRect(0, 0, kRaceStartX - 1, kH), QColor(0x8D, 0x55, 0x24));
  p.fillRect(QRect(kRaceStartX - 1, 0, 1, kH), QColor(0xFF, 0xF5, 0xE0));
}

void DrawRunInMark(QPainter& p) {
  // Where the sprint ends and stamina starts to count: small yellow flags.
  p.setPen(QPen(QColor(0xFF, 0xEB, 0x3B, 150), 1.0, Qt::DashLine));
  p.drawLine(QPointF(kRaceRunInX + 0.5, LaneTop(0)), QPointF(kRaceRunInX + 0.5, LaneTop(kRaceLanes)));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xD6, 0x00));
  for (double y : {0.0, double(LaneTop(kRaceLanes))}) {
    QPolygonF flag;
    flag << QPointF(kRaceRunInX, y) << QPointF(kRaceRunInX + 6, y + 1.5) << QPointF(kRaceRunInX, y + 3);
    p.drawPolygon(flag);
  }
}

void DrawFinish(QPainter& p) {
  // A glow before the line, then a chequered band behind the red finish bar.
  QLinearGradient glow(kRaceFinishX - 40, 0, kRaceFinishX, 0);
  glow.setColorAt(0.0, QColor(255, 255, 255, 0));
  glow.setColorAt(1.0, QColor(255, 255, 255, 70));
  p.fillRect(QRect(kRaceFinishX - 40, LaneTop(0), 40, LaneTop(kRaceLanes) - LaneTop(0)), glow);

  constexpr int square = 4;
  for (int y = 0, row = 0; y < kH; y += square, ++row) {
    for (int x = kRaceFinishX + 3, col = 0; x < kW; x += square, ++col) {
      p.fillRect(QRect(x, y, square, square), (row + col) % 2 == 0 ? Qt::white : QColor(0x21, 0x21, 0x21));
    }
  }
  p.fillRect(QRect(kRaceFinishX, 0, 3, kH), QColor(0xFF, 0xF5, 0xE0));
}

void DrawLaneNumbers(QPainter& p) {
  QFont font("IPAPGothic");
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  for (int lane = 0; lane < kRaceLanes; ++lane) {
    const QRectF box(kRaceFinishX - 16, LaneTop(lane) + 1, 12, 14);
    p.setPen(QColor(0, 40, 90, 140));
    p.drawText(box.translated(1, 1), Qt::AlignCenter, QString::number(lane + 1));
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(box, Qt::AlignCenter, QString::number(lane + 1));
  }
}

} // namespace

QImage DrawRaceTrack() {
  QImage track(kW, kH, QImage::Format_RGB32);
  QPainter p(&track);
  p.setRenderHint(QPainter::Antialiasing);
  DrawWater(p);
  DrawRunInMark(p);
  DrawLaneRopes(p);
  DrawLaneNumbers(p);
  DrawFinish(p);
  DrawStart(p);
  return track;
}

} // namespace ikea::artwork
