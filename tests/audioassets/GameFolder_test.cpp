#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "Effects.h"
#include "Readers.h"
#include "Tunes.h"

namespace {

audiotest::Bytes slurp(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return audiotest::Bytes(std::istreambuf_iterator<char>(in), {});
}

const std::filesystem::path kDat = std::filesystem::path(IKEASOBI_GAME_DIR) / "dat";

} // namespace

TEST(GameFolder, TheBuildLeavesEveryEffectAndTuneInDat)
{
    for (const auto& e : soundgen::soundEffects()) {
        SCOPED_TRACE(e.file);
        ASSERT_TRUE(std::filesystem::exists(kDat / e.file));
        EXPECT_EQ(slurp(kDat / e.file), soundgen::renderWave(e));
    }
    for (const auto& t : soundgen::tunes()) {
        SCOPED_TRACE(t.file);
        ASSERT_TRUE(std::filesystem::exists(kDat / t.file));
        EXPECT_EQ(slurp(kDat / t.file), soundgen::renderTune(t));
    }
}
