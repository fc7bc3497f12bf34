// The same play in Japanese and in English writes the same files, byte for
// byte: the language changes only what is shown.
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "GameFolderFixture.h"
#include "game/StartChoices.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/ShownText.h"
#include "tools/assetgen/pictures/RivalNames.h"
#include "town/Feeding.h"
#include "town/FishExport.h"
#include "town/RaceEntry.h"
#include "town/RaceRun.h"
#include "town/Shop.h"
#include "town/Tank.h"
#include "ui/TextSet.h"

namespace ikea::test {
namespace {

struct Written {
  std::string save, rivals, exported, message;
  std::vector<Text> boxes;
};

std::string Bytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

class ScriptedPlay final : public GameFolderTest {
public:
  explicit ScriptedPlay(const tk::Translator* language) {
    // The rivals carry the game's own names, which English shows otherwise.
    std::string names;
    for (const char* name : assets::RivalNamesUtf8()) names += Sjis(name) + "\r\n";
    WriteText("dat/name.dat", names);
    tk::SetTranslator(language);
  }
  ~ScriptedPlay() override { tk::SetTranslator(nullptr); }
  void TestBody() override {}

  // COUNTINE, a purchase, a naming, feeding, an export, a race, feeding and
  // a save.
  Written Play() {
    Open();
    GameContext& ctx = form->Context();
    Button9Click(ctx);
    GameState& s = form->State();
    s.Money = 1000;
    s.TankKind[0] = 8;
    s.TankSize[0] = 35;
    s.TankTime[0] = Sjis("00:00:12");
    s.TankHunger[0] = 0;
    Button3Click(ctx);
    Button20Click(ctx);  // beans
    Button13Click(ctx);  // milk
    Button1Click(ctx);
    form->fish_list->Select(0);
    fish_listMouseDown(ctx);
    form->name_l->setText(QStringLiteral("Goldie"));
    mame_bClick(ctx);
    Button17Click(ctx);
    Button10Click(ctx);
    Button22Click(ctx);
    race_start_bClick(ctx);
    for (int tick = 0; tick < 5000 && s.RaceRunning != 0; ++tick) {
      clock.AdvanceMs(100);
      form->Timer1Timer();
    }
    EXPECT_EQ(s.RaceRunning, 0);
    milk_bClick(ctx);  // its draws follow from the tick the race ended on
    Button2Click(ctx);
    return {Bytes(File("dat/my.dat")), Bytes(File("dat/name.dat")), Bytes(File("おさかなデータ.txt")),
            form->moji_l->Caption(), dialogs.informed};
  }
};

TEST(LanguageRoundTrip, theSamePlayWritesTheSameFilesInJapaneseAndInEnglish) {
  const Written japanese = ScriptedPlay(nullptr).Play();
  const Written english = ScriptedPlay(&ui::English()).Play();
  ASSERT_FALSE(japanese.save.empty());
  ASSERT_FALSE(japanese.exported.empty());
  ASSERT_GE(japanese.boxes.size(), 3u);  // exported, the race's outcome, saved
  EXPECT_EQ(english.save, japanese.save);
  EXPECT_EQ(english.rivals, japanese.rivals);
  EXPECT_EQ(english.exported, japanese.exported);
  // The rules told the same things; only the English play showed them in English.
  EXPECT_EQ(english.boxes, japanese.boxes);
  EXPECT_NE(english.message, japanese.message);
}

}  // namespace
}  // namespace ikea::test
