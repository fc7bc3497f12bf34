// The drawn pictures: sizes the window relies on, smooth loops, and the title
// screen's plates and mascot sitting where the clicks are taken.
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <vector>

#include "tools/assetgen/pictures/Mascot.h"
#include "tools/assetgen/pictures/RaceTrack.h"
#include "tools/assetgen/pictures/Scenery.h"

using namespace ikea::assets;
namespace artwork = ikea::artwork;

namespace {

double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32);
  const QImage y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int row = 0; row < x.height(); ++row) {
    for (int col = 0; col < x.width(); ++col) {
      const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  }
  return sum / (x.width() * x.height());
}

double Brightness(const QImage& image) {
  double sum = 0;
  for (int row = 0; row < image.height(); ++row) {
    for (int col = 0; col < image.width(); ++col) sum += qGray(image.pixel(col, row));
  }
  return sum / (image.width() * image.height());
}

// Share of the pixels in `area` for which `test` holds.
template <typename Test> double ShareOf(const QImage& image, const QRect& area, Test test) {
  int hits = 0;
  for (int row = area.top(); row <= area.bottom(); ++row) {
    for (int col = area.left(); col <= area.right(); ++col) hits += test(image.pixel(col, row)) ? 1 : 0;
  }
  return double(hits) / (area.width() * area.height());
}

bool Wooden(QRgb p) { return qRed(p) > qBlue(p) + 40 && qRed(p) > qGreen(p); }
bool Watery(QRgb p) { return qBlue(p) > qRed(p) + 30; }

// Every step of the cycle moves something, and the cycle closes on itself:
// the frame after the sixth is the first again, so the loop has no seam.
template <typename Draw> void ExpectLoop(Draw draw) {
  std::vector<QImage> frames;
  for (int k = 0; k <= kFrameCount; ++k) frames.push_back(draw(k));
  double smallestStep = 1e9;
  for (int k = 0; k < kFrameCount; ++k) {
    const double step = MeanDifference(frames[k], frames[k + 1]);
    EXPECT_GT(step, 0.05) << "frame " << k << " does not move";
    smallestStep = std::min(smallestStep, step);
  }
  // Equal but for rounding at the edges of smoothed shapes.
  EXPECT_LT(MeanDifference(frames[kFrameCount], frames[0]), 0.1 * smallestStep);
}

} // namespace

TEST(TitleFrames, AreSixFramesOfTheStartScreenSizeThatLoopSmoothly) {
  for (int k = 0; k < kFrameCount; ++k) EXPECT_EQ(DrawTitleFrame(k).size(), QSize(409, 277));
  ExpectLoop(DrawTitleFrame);
}

TEST(TitleFrames, ShowWoodenPlatesExactlyUnderTheNewGameAndCountineClickAreas) {
  const QImage title = DrawTitleFrame(0);
  for (const QRect area : {QRect(148, 208, 121, 25), QRect(148, 244, 121, 25)}) {
    EXPECT_GT(ShareOf(title, area.adjusted(2, 2, -2, -2), Wooden), 0.6) << "plate missing at " << area.y();
    // Water right around the plate on the left, right and top sides.
    EXPECT_TRUE(Watery(title.pixel(area.left() - 3, area.center().y())));
    EXPECT_TRUE(Watery(title.pixel(area.right() + 4, area.center().y())));
    EXPECT_TRUE(Watery(title.pixel(area.center().x(), area.top() - 3)));
  }
}

TEST(TitleFrames, PutTheMascotInTheAreaThatTakesClicksOnHim) {
  const QImage title = DrawTitleFrame(0);
  const auto beanColoured = [](QRgb p) { return qRed(p) > 200 && qGreen(p) > 140 && qBlue(p) < 170; };
  EXPECT_GT(ShareOf(title, QRect(195, 85, 31, 30), beanColoured), 0.3);
  EXPECT_LT(ShareOf(title, QRect(0, 130, 60, 60), beanColoured), 0.05);
}

TEST(PondFrames, AreSixLoopingFramesOfThePondSizeForEachTimeOfDay) {
  for (PondLight light : {PondLight::Day, PondLight::Twilight, PondLight::Night}) {
    for (int k = 0; k < kFrameCount; ++k) EXPECT_EQ(DrawPondFrame(light, k).size(), QSize(300, 200));
    ExpectLoop([light](int k) { return DrawPondFrame(light, k); });
  }
}

TEST(PondFrames, GetDarkerFromDayToDuskToNightAndShowWaterWhereCastsLand) {
  const QImage day = DrawPondFrame(PondLight::Day, 0);
  const QImage dusk = DrawPondFrame(PondLight::Twilight, 0);
  const QImage night = DrawPondFrame(PondLight::Night, 0);
  EXPECT_GT(Brightness(day), Brightness(night) + 40);
  EXPECT_GT(Brightness(dusk), Brightness(night) + 40);
  // Open water across the middle of the casting band, between the reeds.
  EXPECT_GT(ShareOf(day, QRect(40, 25, 220, 170), Watery), 0.75);
}

TEST(TankPictures, AreTheTankSizeAndDifferOnlyByTheFishInsideTheGlass) {
  const QImage empty = DrawTank(false);
  const QImage full = DrawTank(true);
  EXPECT_EQ(empty.size(), QSize(76, 73));
  EXPECT_EQ(full.size(), QSize(76, 73));
  EXPECT_GT(MeanDifference(empty, full), 1.0);
  for (int x = 0; x < 76; ++x) EXPECT_EQ(empty.pixel(x, 0), full.pixel(x, 0));
  const auto orange = [](QRgb p) { return qRed(p) > 220 && qGreen(p) > 90 && qGreen(p) < 190 && qBlue(p) < 110; };
  EXPECT_GT(ShareOf(full, QRect(26, 32, 20, 12), orange), 0.4);
  EXPECT_LT(ShareOf(empty, QRect(26, 32, 20, 12), orange), 0.05);
}

TEST(Background, IsTheStartScreenSize) { EXPECT_EQ(DrawBackground().size(), QSize(409, 277)); }

TEST(RaceTrack, IsTheCourseSizeWithWaterUnderEveryRunnerFromStartToFinish) {
  const QImage track = artwork::DrawRaceTrack();
  ASSERT_EQ(track.size(), QSize(381, 101));
  for (int lane = 0; lane < artwork::kRaceLanes; ++lane) {
    // The runner label of lane `lane` spans rows 4 + 16 lane .. 15 + 16 lane.
    const int y = 4 + 16 * lane + 6;
    for (int x : {artwork::kRaceStartX + 2, 100, artwork::kRaceRunInX + 20, 300}) {
      EXPECT_TRUE(Watery(track.pixel(x, y))) << "lane " << lane << " at x " << x;
    }
  }
}

TEST(RaceTrack, HasAChequeredBandBehindTheFinishBar) {
  const QImage track = artwork::DrawRaceTrack();
  const QRect band(artwork::kRaceFinishX + 3, 0, 381 - artwork::kRaceFinishX - 3, 101);
  const double white = ShareOf(track, band, [](QRgb p) { return qGray(p) > 220; });
  const double black = ShareOf(track, band, [](QRgb p) { return qGray(p) < 50; });
  EXPECT_GT(white, 0.35);
  EXPECT_GT(black, 0.35);
}

TEST(MascotIcon, IsSquareWithTransparentCornersAtEverySize) {
  for (int size : {48, 256}) {
    const QImage icon = artwork::DrawMascotIcon(size);
    EXPECT_EQ(icon.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255);
  }
}
