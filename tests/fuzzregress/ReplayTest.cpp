// Every kept input runs through its harness here too, so a reader that
// breaks on one fails the ordinary test run, not only the fuzz run. A
// harness stops the process on a broken property, which fails the test.
#include <gtest/gtest.h>

#include "tests/fuzzregress/Replay.h"

namespace ikea::fuzzregress {
namespace {

using Harness = int (*)(const std::uint8_t*, std::size_t);

void ReplayEverySeed(const std::string& target, Harness harness) {
  const auto files = KeptInputs(target);
  ASSERT_FALSE(files.empty()) << target << " has no seeds";
  for (const auto& file : files) {
    SCOPED_TRACE(file.filename().string());
    const auto bytes = ReadFile(file);
    EXPECT_EQ(harness(bytes.data(), bytes.size()), 0);
  }
}

TEST(FuzzReplay, BmpSeedsRunClean) { ReplayEverySeed("fuzz_bmp", ReplayFuzzBmp); }
TEST(FuzzReplay, JpegSeedsRunClean) { ReplayEverySeed("fuzz_jpeg", ReplayFuzzJpeg); }
TEST(FuzzReplay, ProfileSeedsRunASessionClean) { ReplayEverySeed("fuzz_profile", ReplayFuzzProfile); }
TEST(FuzzReplay, SaveFileSeedsSurviveASave) { ReplayEverySeed("fuzz_savefile", ReplayFuzzSaveFile); }
TEST(FuzzReplay, GameFolderSeedsLeaveTheCataloguesFilled) {
  ReplayEverySeed("fuzz_gamedata", ReplayFuzzGameData);
}

TEST(FuzzReplay, WaveSeedsLoadAlikeFromFileAndMemory) {
  ReplayEverySeed("fuzz_wavefile", ReplayFuzzWaveFile);
}

TEST(FuzzReplay, EmptyInputsAreHarmlessToEveryHarness) {
  for (Harness harness : {ReplayFuzzBmp, ReplayFuzzJpeg, ReplayFuzzProfile, ReplayFuzzSaveFile,
                          ReplayFuzzGameData, ReplayFuzzWaveFile})
    EXPECT_EQ(harness(nullptr, 0), 0);
}

} // namespace
} // namespace ikea::fuzzregress
