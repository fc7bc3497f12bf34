#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "game/GameFolder.h"

namespace fs = std::filesystem;

namespace {

struct Tree {
  fs::path root = fs::temp_directory_path() /
                  ("ikea-folders-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
  Tree() { fs::remove_all(root); fs::create_directories(root); }
  ~Tree() { fs::remove_all(root); }
  static void Write(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
  }
  static std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

} // namespace

TEST(GameFolders, aGameFolderBesideTheProgramKeepsTheSavesInPlace) {
  Tree t;
  fs::path game = t.root / "game";
  Tree::Write(game / "cg" / "1.jpg", "x");
  Tree::Write(game / "dat" / "my.dat", "save");
  auto folders = ikea::ResolveGameFolders(game, (t.root / "xdg").c_str(), nullptr);
  EXPECT_EQ(folders.assets, game);
  EXPECT_EQ(folders.saves, game);
  EXPECT_FALSE(fs::exists(t.root / "xdg"));
}

TEST(GameFolders, anInstalledGameKeepsSavesInTheUserDataFolderSeededOnce) {
  Tree t;
  fs::path prefix = t.root / "usr";
  fs::path data = prefix / "share" / "games" / "ikeasobi";
  Tree::Write(data / "cg" / "1.jpg", "x");
  Tree::Write(data / "dat" / "my.dat", "first save");
  Tree::Write(data / "dat" / "name.dat", "names");
  fs::create_directories(prefix / "games");

  auto folders = ikea::ResolveGameFolders(prefix / "games", (t.root / "xdg").c_str(), "/nonexistent");
  EXPECT_EQ(folders.assets, data);
  EXPECT_EQ(folders.saves, t.root / "xdg" / "ikeasobi");
  EXPECT_EQ(Tree::Read(folders.saves / "dat" / "my.dat"), "first save");
  EXPECT_EQ(Tree::Read(folders.saves / "dat" / "name.dat"), "names");

  // The player's own save is never replaced by the installed one.
  Tree::Write(folders.saves / "dat" / "my.dat", "player's save");
  folders = ikea::ResolveGameFolders(prefix / "games", (t.root / "xdg").c_str(), "/nonexistent");
  EXPECT_EQ(Tree::Read(folders.saves / "dat" / "my.dat"), "player's save");
}

TEST(GameFolders, withoutXdgDataHomeTheHomeFolderIsUsed) {
  Tree t;
  fs::path data = t.root / "usr" / "share" / "games" / "ikeasobi";
  Tree::Write(data / "cg" / "1.jpg", "x");
  fs::create_directories(t.root / "usr" / "games");
  auto folders = ikea::ResolveGameFolders(t.root / "usr" / "games", "", (t.root / "home").c_str());
  EXPECT_EQ(folders.saves, t.root / "home" / ".local" / "share" / "ikeasobi");
  EXPECT_TRUE(fs::is_directory(folders.saves / "dat"));
}
