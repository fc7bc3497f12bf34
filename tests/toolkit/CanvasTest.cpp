#include <QPainter>
#include <gtest/gtest.h>

#include "base/Cp932.h"
#include "toolkit/Colour.h"
#include "toolkit/ImageCanvas.h"

namespace ikea::test {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
const QRgb kWhite = qRgb(255, 255, 255);

class CanvasTest : public ::testing::Test {
protected:
  CanvasTest() : image(40, 30, QImage::Format_RGB32), canvas([this]() -> QImage& { return image; }, [this] { ++changes; }) {
    image.fill(kWhite);
  }
  QRect Painted() const {
    QRect r;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != kWhite) r |= QRect(x, y, 1, 1);
    return r;
  }
  QImage image;
  int changes = 0;
  tk::ImageCanvas canvas;
};

TEST_F(CanvasTest, rectangleLeavesItsRightAndBottomEdgesOut) {
  canvas.SetPen(kBlue, 1);
  canvas.SetBrush(kRed);
  canvas.Rectangle(2, 3, 10, 8);
  EXPECT_EQ(Painted(), QRect(QPoint(2, 3), QPoint(9, 7)));
  EXPECT_EQ(image.pixel(2, 3), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(changes, 1);
}

TEST_F(CanvasTest, ellipseStaysInsideItsBoxAndTouchesEachSide) {
  canvas.SetPen(kBlue, 1);
  canvas.SetBrush(kRed);
  canvas.Ellipse(5, 4, 25, 20);
  EXPECT_EQ(Painted(), QRect(QPoint(5, 4), QPoint(24, 19)));
  EXPECT_EQ(image.pixel(15, 12), qRgb(255, 0, 0));
}

TEST_F(CanvasTest, clearBrushDrawsOnlyTheOutlineAndAWidePenGrowsInward) {
  canvas.SetBrushClear();
  canvas.SetPen(kBlue, 3);
  canvas.Rectangle(0, 0, 20, 20);
  EXPECT_EQ(Painted(), QRect(0, 0, 20, 20));
  EXPECT_EQ(image.pixel(2, 10), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(3, 10), kWhite);
  canvas.SetBrushSolid();
  canvas.Rectangle(30, 0, 34, 4);
  EXPECT_EQ(image.pixel(30, 0), qRgb(0, 0, 255));
}

TEST_F(CanvasTest, emptyOrInvertedBoxesAreDrawnNormalisedOrNotAtAll) {
  canvas.SetBrush(kRed);
  canvas.Rectangle(5, 5, 5, 9);
  EXPECT_TRUE(Painted().isNull());
  canvas.Rectangle(9, 9, 4, 4);
  EXPECT_EQ(Painted(), QRect(QPoint(4, 4), QPoint(8, 8)));
}

TEST_F(CanvasTest, drawsAHeldPictureByNameAndIgnoresAnUnknownOne) {
  QImage spot(3, 2, QImage::Format_RGB32);
  spot.fill(qRgb(0, 255, 0));
  canvas.SetPictureLookup([&](const std::string& name) { return name == "h1" ? &spot : nullptr; });
  canvas.DrawPicture("h9", 0, 0);
  EXPECT_TRUE(Painted().isNull());
  canvas.DrawPicture("h1", 10, 11);
  EXPECT_EQ(Painted(), QRect(10, 11, 3, 2));
}

TEST(OpaquePictureCopy, givesAPaintersPixelsWhereverThePictureLies) {
  QImage picture(13, 9, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) picture.setPixel(x, y, qRgb(x * 19, y * 28, 7));
  for (QPoint at : {QPoint(0, 0), QPoint(5, 4), QPoint(-6, -3), QPoint(33, 25), QPoint(39, 29), QPoint(-13, 0),
                    QPoint(40, 2)}) {
    QImage copied(40, 30, QImage::Format_RGB32);
    copied.fill(kWhite);
    QImage painted = copied.copy();
    ASSERT_TRUE(tk::CopyOpaquePicture(picture, at.x(), at.y(), copied));
    QPainter(&painted).drawImage(at, picture);
    EXPECT_EQ(copied, painted) << "at " << at.x() << "," << at.y();
  }
  QImage target(40, 30, QImage::Format_RGB32);
  EXPECT_FALSE(tk::CopyOpaquePicture(picture.convertToFormat(QImage::Format_ARGB32), 0, 0, target));
}

TEST_F(CanvasTest, textUsesTheFontColourAndAClearBrushLeavesTheBackground) {
  canvas.SetBrushClear();
  canvas.SetFont(kRed, 9, true, false);
  canvas.TextOut(2, 2, *Utf8ToCp932("ヒット"));
  QRect painted = Painted();
  ASSERT_FALSE(painted.isNull());
  EXPECT_GE(painted.left(), 2);
  EXPECT_GE(painted.top(), 2);
  bool sawRed = false;
  for (int y = painted.top(); y <= painted.bottom(); ++y)
    for (int x = painted.left(); x <= painted.right(); ++x) sawRed |= image.pixel(x, y) == qRgb(255, 0, 0);
  EXPECT_TRUE(sawRed);
}

}  // namespace
}  // namespace ikea::test
