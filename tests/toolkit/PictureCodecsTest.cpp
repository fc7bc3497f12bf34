#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

#include "PictureFileWriters.h"
#include "base/Cp932.h"
#include "base/GameError.h"
#include "toolkit/PictureCodecs.h"
#include "toolkit/PictureFile.h"

namespace ikea::test {
namespace {

using tk::DecodeBmp;
using tk::DecodeJpeg;
using tk::PictureError;

bool Near(QRgb a, QRgb b, int tolerance) {
  return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
         std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// Flat colour blocks survive JPEG compression nearly unchanged.
QImage Quadrants() {
  QImage image(32, 16, QImage::Format_RGB32);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 32; ++x) image.setPixel(x, y, x < 16 ? (y < 8 ? qRgb(255, 0, 0) : qRgb(0, 255, 0)) : qRgb(0, 0, 255));
  return image;
}

TEST(JpegLoader, decodesSizeAndColoursOfAGoodFile) {
  QImage picture = DecodeJpeg(EncodeJpeg(Quadrants()));
  ASSERT_EQ(picture.size(), QSize(32, 16));
  EXPECT_TRUE(Near(picture.pixel(4, 2), qRgb(255, 0, 0), 12));
  EXPECT_TRUE(Near(picture.pixel(4, 13), qRgb(0, 255, 0), 12));
  EXPECT_TRUE(Near(picture.pixel(28, 8), qRgb(0, 0, 255), 12));
  EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 255);
}

TEST(JpegLoader, refusesTruncatedEmptyAndGarbageFiles) {
  Bytes good = EncodeJpeg(TestPattern(64, 48));
  Bytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
  EXPECT_THROW(DecodeJpeg(truncated), PictureError);
  EXPECT_THROW(DecodeJpeg(Bytes{}), PictureError);
  Bytes garbage = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0x13, 0x37, 0x00, 0x00, 0x42};
  EXPECT_THROW(DecodeJpeg(garbage), PictureError);
}

TEST(JpegLoader, refusesAFileWhoseScanDataIsCorrupt) {
  Bytes file = EncodeJpeg(TestPattern(64, 48));
  // Overwrite the middle of the entropy-coded data with a marker that cannot
  // appear there.
  for (std::size_t i = file.size() / 2; i < file.size() / 2 + 16; i += 2) {
    file[i] = 0xFF;
    file[i + 1] = 0xC4;
  }
  EXPECT_THROW(DecodeJpeg(file), PictureError);
}

TEST(JpegLoader, refusesAbsurdDimensionsBeforeAllocating) {
  Bytes file = EncodeJpeg(TestPattern(8, 8));
  // The baseline frame header: FF C0, length, precision, height, width.
  for (std::size_t i = 0; i + 8 < file.size(); ++i) {
    if (file[i] == 0xFF && file[i + 1] == 0xC0) {
      file[i + 5] = 0xFF;  // height 65535
      file[i + 6] = 0xFF;
      file[i + 7] = 0xFF;  // width 65535
      file[i + 8] = 0xFF;
      break;
    }
  }
  EXPECT_THROW(DecodeJpeg(file), PictureError);
}

class BmpDepths : public ::testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(BmpDepths, keepPixelsAndOrientation) {
  auto [bits, topDown] = GetParam();
  std::vector<QRgb> palette;
  if (bits <= 8) palette = {qRgb(0, 0, 0), qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
  if (bits == 1) palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
  QImage source(13, 5, QImage::Format_RGB32);  // odd width: rows are padded
  source.fill(qRgb(255, 255, 255));
  source.setPixel(0, 0, qRgb(0, 0, 0));
  source.setPixel(12, 4, bits == 1 ? qRgb(0, 0, 0) : qRgb(0, 0, 255));
  if (bits != 1) source.setPixel(6, 2, qRgb(255, 0, 0));

  QImage decoded = DecodeBmp(EncodeBmp(source, bits, topDown, palette));
  ASSERT_EQ(decoded.size(), source.size());
  for (int y = 0; y < source.height(); ++y)
    for (int x = 0; x < source.width(); ++x)
      ASSERT_EQ(decoded.pixel(x, y), source.pixel(x, y)) << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(EveryDepthBothWays, BmpDepths,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24, 32), ::testing::Bool()));

TEST(BmpLoader, refusesTruncatedFilesAndPixelOffsetsPastTheEnd) {
  Bytes good = EncodeBmp(TestPattern(20, 10), 24, false);
  Bytes truncated(good.begin(), good.end() - 7);
  EXPECT_THROW(DecodeBmp(truncated), PictureError);
  Bytes headerOnly(good.begin(), good.begin() + 20);
  EXPECT_THROW(DecodeBmp(headerOnly), PictureError);
  Bytes farOffset = good;
  farOffset[10] = 0xFF;
  farOffset[11] = 0xFF;
  farOffset[12] = 0xFF;
  EXPECT_THROW(DecodeBmp(farOffset), PictureError);
}

TEST(BmpLoader, refusesCompressedUnknownDepthAndAbsurdSizes) {
  Bytes file = EncodeBmp(TestPattern(4, 4), 24, false);
  Bytes compressed = file;
  compressed[30] = 1;  // run-length coded
  EXPECT_THROW(DecodeBmp(compressed), PictureError);
  Bytes oddDepth = file;
  oddDepth[28] = 7;
  EXPECT_THROW(DecodeBmp(oddDepth), PictureError);
  Bytes huge = file;
  huge[18] = 0xFF;
  huge[19] = 0xFF;
  huge[20] = 0xFF;
  huge[21] = 0x7F;
  EXPECT_THROW(DecodeBmp(huge), PictureError);
  Bytes notBmp = file;
  notBmp[0] = 'X';
  EXPECT_THROW(DecodeBmp(notBmp), PictureError);
}

class PictureFileTest : public ::testing::Test {
protected:
  std::filesystem::path Write(const std::string& name, const Bytes& bytes) {
    std::filesystem::path path = std::filesystem::path(dir_.path().toStdString()) / name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  static Text CannotOpen(const std::filesystem::path& path) {
    return *Utf8ToCp932("ﾌｧｲﾙ " + path.string() + " は開けません");
  }
  static Text ErrorOf(const std::filesystem::path& path) {
    try {
      tk::LoadPictureFile(path);
    } catch (const GameError& error) {
      return error.text();
    }
    return "no error";
  }
  QTemporaryDir dir_;
};

TEST_F(PictureFileTest, loadsJpegAndBmpByTheirContent) {
  EXPECT_EQ(tk::LoadPictureFile(Write("a.jpg", EncodeJpeg(TestPattern(30, 20)))).size(), QSize(30, 20));
  EXPECT_EQ(tk::LoadPictureFile(Write("背景.bmp", EncodeBmp(TestPattern(7, 3), 24, true))).size(), QSize(7, 3));
}

TEST_F(PictureFileTest, missingCorruptAndTruncatedFilesCannotBeOpened) {
  std::filesystem::path missing = std::filesystem::path(dir_.path().toStdString()) / "cg" / "h1.jpg";
  EXPECT_EQ(ErrorOf(missing), CannotOpen(missing));

  auto corrupt = Write("1.jpg", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});
  EXPECT_EQ(ErrorOf(corrupt), CannotOpen(corrupt));

  Bytes jpeg = EncodeJpeg(TestPattern(40, 40));
  auto truncated = Write("2.jpg", Bytes(jpeg.begin(), jpeg.begin() + 200));
  EXPECT_EQ(ErrorOf(truncated), CannotOpen(truncated));

  auto folder = std::filesystem::path(dir_.path().toStdString());
  EXPECT_EQ(ErrorOf(folder), CannotOpen(folder));
}

}  // namespace
}  // namespace ikea::test
