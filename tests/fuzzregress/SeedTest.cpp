// The seeds are worth fuzzing from only while the readers accept them: a
// seed refused at its first check leaves the fuzzer nothing deeper to mutate.
#include <gtest/gtest.h>

#include <memory>
#include <span>
#include <string_view>

#include "game/GameState.h"
#include "game/SaveFile.h"
#include "tests/fuzzregress/Replay.h"
#include "toolkit/PictureCodecs.h"

namespace ikea::fuzzregress {
namespace {

TEST(FuzzSeeds, EveryBmpSeedDecodesToAPicture) {
  for (const auto& file : FilesIn(SeedFolder("fuzz_bmp"))) {
    SCOPED_TRACE(file.filename().string());
    const auto bytes = ReadFile(file);
    const QImage image = tk::DecodeBmp(std::span(bytes));
    EXPECT_FALSE(image.isNull());
  }
}

TEST(FuzzSeeds, EveryJpegSeedDecodesToAPicture) {
  for (const auto& file : FilesIn(SeedFolder("fuzz_jpeg"))) {
    SCOPED_TRACE(file.filename().string());
    const auto bytes = ReadFile(file);
    const QImage image = tk::DecodeJpeg(std::span(bytes));
    EXPECT_FALSE(image.isNull());
  }
}

TEST(FuzzSeeds, BmpSeedsKeepTheirOddWidthsAndPadding) {
  const auto mono = ReadFile(SeedFolder("fuzz_bmp") / "mono_1bit.bmp");
  const QImage image = tk::DecodeBmp(std::span(mono));
  EXPECT_EQ(image.size(), QSize(9, 2));
  // Bottom-up: the file's first row (0xA5 0x80) is the picture's last.
  EXPECT_EQ(image.pixel(0, 1), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(8, 1), qRgb(255, 255, 255));
}

TEST(FuzzSeeds, SaveWithTwoFishReadsItsFishAndExtremeMoney) {
  const auto bytes = ReadFile(SeedFolder("fuzz_savefile") / "two_fish.dat");
  auto record = std::make_unique<tmy>();
  ReadSaveFileText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), *record);
  EXPECT_EQ(record->TankKind[0], 3);
  EXPECT_EQ(record->TankKind[1], 12);
  EXPECT_EQ(record->TankSize[1], 51);
  EXPECT_EQ(record->TankName[1], " lead space");
  EXPECT_EQ(record->TankHunger[1], -3);
  EXPECT_EQ(record->Money, -2147483647 - 1);
  EXPECT_EQ(record->Beans, 2147483647);
}

TEST(FuzzSeeds, TruncatedSaveReadsAsFarAsItGoes) {
  const auto bytes = ReadFile(SeedFolder("fuzz_savefile") / "truncated.dat");
  auto record = std::make_unique<tmy>();
  ReadSaveFileText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), *record);
  EXPECT_EQ(record->TankKind[1], 12);
  EXPECT_EQ(record->Money, -2147483647 - 1);
  EXPECT_EQ(record->Beans, 0);
}

} // namespace
} // namespace ikea::fuzzregress
