#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>

#include "base/GameError.h"
#include "tests/town/TownWorld.h"
#include "town/FishExport.h"

namespace ikea::test {
namespace {

class FishExport : public ::testing::Test {
protected:
  std::filesystem::path File() const { return w.folder / std::filesystem::path(u8"おさかなデータ.txt"); }
  std::string ReadFile() const {
    std::ifstream in(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(w.folder), {}));
  }
  TownWorld w;
};

TEST_F(FishExport, namedFishWithCupsIsWrittenByteForByteAndAnnounced) {
  w.PutFish(2, TownWorld::kCarp, 42, "タマ");
  w.s->TankTime[2] = "0:02:13";
  w.s->TankCups1[2] = 1;
  w.s->TankCups3[2] = 1;
  Button17Click(w.ctx);
  EXPECT_EQ(ReadFile(),
            "♪おさかなデータ\r\n名前:タマ\r\n種:コイ\r\n大きさ:42cm.\r\nTIME:0:02:13秒\r\n"
            "価値:984円 優勝:弱CUP(1) 強CUP(1)\r\n");
  EXPECT_EQ(w.view.boxes, std::vector<Text>{"ファイル『おさかなデータ.txt』が出力されました"});
  EXPECT_EQ(w.CueFiles(), (std::vector<Text>{"katan.wav", "1.wav"}));
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FishExport, unnamedFishWithoutCupsEndsRightAfterTheYen) {
  w.PutFish(0, TownWorld::kCrucian, 30);
  w.s->TankSize[0] = -3;
  Button17Click(w.ctx);
  EXPECT_EQ(ReadFile(),
            "♪おさかなデータ\r\n名前:\r\n種:フナ\r\n大きさ:-3cm.\r\nTIME:0:01:05秒\r\n価値:94円\r\n");
}

TEST_F(FishExport, exportingTwiceLeavesOnlyTheSecondRecord) {
  w.PutFish(0, TownWorld::kCarp, 100, "ながいなまえのさかなです");
  w.PutFish(1, TownWorld::kCrucian, 1, "ポ");
  w.view.ListSelect(0);
  Button17Click(w.ctx);
  w.view.ListSelect(1);
  Button17Click(w.ctx);
  EXPECT_EQ(ReadFile(), FishDataText(*w.s, *w.cat, 1));
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FishExport, noFishSelectedTouchesNoFile) {
  w.PutFish(0, TownWorld::kCarp, 10);
  w.view.ListSelect(9);
  Button17Click(w.ctx);
  EXPECT_FALSE(std::filesystem::exists(File()));
  EXPECT_EQ(w.CueFiles(), std::vector<Text>{"no.wav"});
}

TEST_F(FishExport, failedExportReportsAnErrorLeavesNoFileAndSkipsTheSuccess) {
  w.PutFish(0, TownWorld::kCarp, 10);
  std::filesystem::create_directory(File());  // the name is taken by a folder
  std::filesystem::create_directory(File() / "keep");
  EXPECT_THROW(Button17Click(w.ctx), GameError);
  EXPECT_TRUE(std::filesystem::is_directory(File()));
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
  EXPECT_TRUE(w.view.boxes.empty());
  EXPECT_TRUE(w.snd.cues.empty());

  w.ctx.folder = w.folder / "missing";
  EXPECT_THROW(Button17Click(w.ctx), GameError);
  EXPECT_FALSE(std::filesystem::exists(w.ctx.folder));
}

// The box speaks as the save's file errors do, never with the system's
// English error inside a game text.
TEST_F(FishExport, failedExportIsShownInTheGamesOwnFileErrorTexts) {
  w.PutFish(0, TownWorld::kCarp, 10);
  auto errorText = [&] {
    try {
      Button17Click(w.ctx);
    } catch (const GameError& e) {
      return e.text();
    }
    return Text("(no error)");
  };
  std::filesystem::create_directory(File());  // replacing it fails
  EXPECT_EQ(errorText(), "I/O ｴﾗｰ (" + n(EISDIR) + ")");
  w.ctx.folder = w.folder / "missing";  // creating it fails
  EXPECT_EQ(errorText(), "不正なﾌｧｲﾙ名です");
  std::filesystem::remove(File());
  std::ofstream(w.folder / "plain") << "a file where the folder should be";
  w.ctx.folder = w.folder / "plain";
  EXPECT_EQ(errorText(), "不正なﾌｧｲﾙ名です");
  EXPECT_TRUE(w.snd.cues.empty());
}

} // namespace
} // namespace ikea::test
