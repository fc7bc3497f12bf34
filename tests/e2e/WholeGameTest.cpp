// A whole game played through the real window's widgets over a copy of the
// built game folder: continue a saved game, shop, cast, bite, shoot, reel in,
// name, feed, race, export and save; then the files are read back line by
// line and compared with what the game's rules give.
//
// Random draws are scripted where the outcome matters; everywhere else every
// draw gives its highest value (no bite, no splash, no cheer), so the game
// runs the same way on every run.
#include <QApplication>
#include <QInputMethodEvent>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "game/Clock.h"
#include "base/Cp932.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedRandom.h"
#include "toolkit/BarGauge.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Look.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureBox.h"
#include "ui/Form1.h"

namespace ikea::test {
namespace {

namespace fs = std::filesystem;
using Cue = RecordingSound::Cue;

Text J(const std::string& utf8) { return *Utf8ToCp932(utf8); }

// my.dat as lines, addressed by the save file's items (1-based line numbers).
class SaveLines {
public:
  static constexpr int kLines = 7693;
  SaveLines() : lines_(kLines, "0") {
    for (int i = 0; i < 512; ++i) {
      Name(i) = "";
      Time(i) = "";
    }
  }
  explicit SaveLines(std::vector<std::string> lines) : lines_(std::move(lines)) {}

  std::string& Kind(int slot) { return At(1 + slot); }
  std::string& Size(int slot) { return At(513 + slot); }
  std::string& Bullets() { return At(1025); }
  std::string& LineWear() { return At(1026); }
  std::string& Money() { return At(1027); }
  std::string& Name(int slot) { return At(1028 + slot); }
  std::string& Speed(int slot) { return At(1540 + slot); }
  std::string& Strength(int slot) { return At(2052 + slot); }
  std::string& Shrimp() { return At(2564); }
  std::string& Milk() { return At(2565); }
  std::string& JisuDama() { return At(2566); }
  std::string& Guts(int slot) { return At(2567 + slot); }
  std::string& Wits(int slot) { return At(3079 + slot); }
  std::string& Cups1(int slot) { return At(3591 + slot); }
  std::string& Sardines() { return At(4103); }
  std::string& GunLevel() { return At(4104); }
  std::string& Tries() { return At(4105); }
  std::string& LineStrength() { return At(4106); }
  std::string& Hunger(int slot) { return At(4107 + slot); }
  std::string& Beans() { return At(4619); }
  std::string& Cups2(int slot) { return At(4620 + slot); }
  std::string& Time(int slot) { return At(7180 + slot); }
  std::string& ReelLevel() { return At(7692); }
  std::string& Hour() { return At(7693); }

  std::string Crlf() const {
    std::string out;
    for (const std::string& line : lines_) out += line + "\r\n";
    return out;
  }
  const std::vector<std::string>& Lines() const { return lines_; }

private:
  std::string& At(int line) { return lines_.at(size_t(line - 1)); }
  std::vector<std::string> lines_;
};

std::string ReadBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Splits CR LF lines; a last line without CR LF is reported as "<unended>".
std::vector<std::string> CrlfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back("<unended>" + bytes.substr(at));
      break;
    }
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

class WholeGame : public ::testing::Test {
protected:
  WholeGame() : folder_(dir_.path().toStdString()) {
    const fs::path built = IKEASOBI_GAME_DIR;
    fs::copy(built / "cg", folder_ / "cg", fs::copy_options::recursive);
    fs::copy(built / "dat", folder_ / "dat", fs::copy_options::recursive);
    random.SetFallback(INT_MAX);  // every unscripted draw: its highest value
  }

  void Open(const SaveLines& save) {
    std::ofstream(folder_ / "dat" / "my.dat", std::ios::binary | std::ios::trunc) << save.Crlf();
    form = std::make_unique<TForm1>(FormParts{
        .rnd = random,
        .clock = clock,
        .sound = sound,
        .dialogs = dialogs,
        .folder = folder_,
        .assets = {},
        .seedRandom = {},
        .loadCueWaves = {},
        .releaseCueWaves = {},
    });
    // The test is the clock: it runs Timer1's events itself.
    form->Timer1().SetEnabled(false);
    form->Timer3().SetEnabled(false);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  GameState& S() { return form->State(); }
  tk::Button* ButtonNamed(const char* name) { return form->Widgets().Get<tk::Button>(name); }

  // A player can only press what is on the screen.
  void Click(QWidget* widget, QPoint at = {}) {
    ASSERT_TRUE(widget->isVisible()) << widget->objectName().toStdString() << " is not on the screen";
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
  }
  void Click(const char* buttonName) { Click(ButtonNamed(buttonName)); }
  void PressPond(int x, int y) {
    ASSERT_TRUE(form->cg->isVisible());
    QTest::mousePress(form->cg, Qt::LeftButton, {}, QPoint(x, y));
    QTest::mouseRelease(form->cg, Qt::LeftButton, {}, QPoint(x, y));
  }
  void ClickTankLine(int line) {
    QRect r = form->fish_list->visualItemRect(form->fish_list->item(line));
    Click(form->fish_list->viewport(), r.center());
  }

  // One Timer1 event a little more than a game step after the last one.
  void Tick(double ms = 101) {
    clock.AdvanceMs(ms);
    form->Timer1Timer();
  }

  std::vector<Cue> TakeCues() {
    std::vector<Cue> cues = std::move(sound.cues);
    sound.cues.clear();
    return cues;
  }
  std::vector<Text> TakeInformed() {
    std::vector<Text> shown = std::move(dialogs.informed);
    dialogs.informed.clear();
    return shown;
  }

  // The first named species of a time class with a base strength that milk
  // can still raise and a cheer can spend.
  int SpeciesOfClass(int timeClass) {
    for (int i = 0; i < 512; ++i) {
      const tfish& f = form->Catalogue().SpeciesTable[size_t(i)];
      if (!f.Name.empty() && f.TimeClass == timeClass && f.BaseStrength >= 1 && f.BaseStrength <= 6) return i;
    }
    return -1;
  }

  QTemporaryDir dir_;
  fs::path folder_;
  ManualClock clock;
  ScriptedRandom random;
  RecordingSound sound;
  ScriptedDialogs dialogs;
  std::unique_ptr<TForm1> form;
};

TEST_F(WholeGame, aContinuedGameCatchesNamesFeedsRacesExportsAndSavesWhatTheRulesGive) {
  // A saved game: 500 yen, 20 bullets, no sardines, three tries, eight
  // o'clock, and a named fish in slot 0 with a cup of class 2.
  SaveLines start;
  start.Money() = "500";
  start.Bullets() = "20";
  start.Tries() = "3";
  start.LineStrength() = "280";
  start.Hour() = "8";
  start.Kind(0) = "1";
  start.Size(0) = "55";
  start.Name(0) = J("タロウ");
  start.Speed(0) = "3";
  start.Strength(0) = "4";
  start.Guts(0) = "2";
  start.Wits(0) = "5";
  start.Hunger(0) = "50";
  start.Cups2(0) = "1";
  start.Time(0) = "0:01:05";
  ASSERT_NO_FATAL_FAILURE(Open(start));
  ASSERT_TRUE(dialogs.informed.empty()) << "start-up reported an error";
  const int daySpecies = SpeciesOfClass(2);
  const int nightSpecies = SpeciesOfClass(0);
  ASSERT_GT(daySpecies, 0);
  ASSERT_GT(nightSpecies, 0);
  const tfish& caught = form->Catalogue().SpeciesTable[size_t(daySpecies)];
  sound.cues.clear();
  sound.music.clear();

  // COUNTINE goes on with the loaded game.
  Click(form->Image1, QPoint(40, 10));
  EXPECT_FALSE(tk::IsShown(form->start_box));
  EXPECT_EQ(TakeCues(), (std::vector<Cue>{{0, "start.wav"}}));
  EXPECT_EQ(form->moji_l->Caption().rfind(J("つりしよっと"), 0), 0u);
  EXPECT_EQ(S().Money, 500);
  EXPECT_EQ(S().TankName[0], J("タロウ"));
  Tick();
  EXPECT_TRUE(form->sao_b->isVisible());

  // The shop: ten sardines, a bullet, beans and milk; jisu-dama is too dear.
  Click("Button3");
  ASSERT_TRUE(tk::IsShown(form->shop_box));
  Click("Button19");
  Click("Button4");
  Click("Button20");
  Click("Button13");
  EXPECT_EQ(S().Money, 500 - 50 - 5 - 12 - 60);
  Click("Button15");
  EXPECT_EQ(S().Money, 373);
  EXPECT_EQ(form->moji_l->Caption().rfind(J("お金が足りません"), 0), 0u);
  EXPECT_EQ(S().Sardines, 10);
  EXPECT_EQ(S().Bullets, 21);
  EXPECT_EQ(S().Beans, 1);
  EXPECT_EQ(S().Milk, 1);
  EXPECT_EQ(S().JisuDama, 0);
  EXPECT_EQ(TakeCues(), (std::vector<Cue>{{0, "neji.wav"}, {0, "buy.wav"}, {0, "buy.wav"}, {0, "buy.wav"},
                                          {0, "buy.wav"}, {0, "no.wav"}}));

  // The cast: the float lands where scripted; slot 0 gets 2 + 3 hungrier.
  Click("sao_b");
  EXPECT_EQ(S().FishingPhase, 1);
  EXPECT_FALSE(tk::IsShown(form->shop_box));
  random.Push({15, 15, 0, 3});  // float x, float y, splash size, slot 0's hunger
  PressPond(150, 150);
  EXPECT_EQ(random.Remaining(), 0u);
  EXPECT_EQ(S().FishingPhase, 2);
  EXPECT_EQ(S().FloatX, 150);
  EXPECT_EQ(S().FloatY, 150);
  EXPECT_EQ(S().TankHunger[0], 45);
  EXPECT_EQ(TakeCues(), (std::vector<Cue>{{0, "1.wav"}, {2, "ukiwa.wav"}}));

  // The bite on the next step: range 190 - 150 = 40, size 25 + 5 + 0,
  // hit points 0 + 30, line 0 + 40 div 10 + 30 div 2 + 10.
  random.Push({0, 0, 0, 0, 0, 0, 0, 0, 25, 0, 0, 0});
  const double biteAt = clock.Now() + 101 * kOneMillisecond;
  Tick();
  EXPECT_EQ(random.Remaining(), 0u);
  ASSERT_EQ(S().Hooked, 1);
  EXPECT_EQ(S().FishSize, 30);
  EXPECT_EQ(S().FishHP, 30);
  EXPECT_EQ(S().LineOut, 29);
  EXPECT_EQ(S().LineTension, 30);
  EXPECT_TRUE(form->maku_b->isVisible());
  EXPECT_FALSE(form->sao_b->isVisible());
  EXPECT_EQ(TakeCues(), (std::vector<Cue>{{1, "hit.wav"}}));

  // Shots: one miss, then four hits of 6 and one of 4 bring 30 hit points to 2.
  random.Push({0, 1});
  PressPond(20, 20);
  EXPECT_EQ(S().FishHP, 30);
  for (int damage : {6, 6, 6, 6, 4}) {
    random.Push({0, 0, damage - 4, 0, 40});
    PressPond(S().FishX, S().FishY);
  }
  EXPECT_EQ(random.Remaining(), 0u);
  EXPECT_EQ(S().FishHP, 2);
  EXPECT_EQ(S().Bullets, 21 - 6);
  std::vector<Cue> shots = {{2, "gun.wav"}};
  for (int i = 0; i < 5; ++i) {
    shots.push_back({1, "gun.wav"});
    shots.push_back({3, "damage.wav"});
  }
  EXPECT_EQ(TakeCues(), shots);

  // Reeling: hold 巻く while the gauge is low, let go while it is high; at
  // 2 hit points every reeling step gains a metre.
  bool holding = false;
  int fightSteps = 0;
  std::vector<Cue> landingCues;
  for (int guard = 0; S().Hooked == 1 && guard < 400; ++guard) {
    const int tension = form->line_tenshion_l->Progress();
    if (!holding && tension < 150) {
      QTest::mousePress(form->maku_b, Qt::LeftButton);
      holding = true;
    } else if (holding && tension > 180) {
      QTest::mouseRelease(form->maku_b, Qt::LeftButton);
      holding = false;
    }
    ASSERT_LT(S().LineTension, S().LineStrength);
    ASSERT_GT(S().LineTension, 0);
    ++fightSteps;
    if (holding && S().LineOut == 0) {
      // The landing step: reel sound, creature drift, then the species
      // draws (an empty entry, a night species, the day species), the
      // slot's figures and the jingle. The fight is made to last a whole
      // number of seconds and 200 ms.
      random.Push({2, 1, 1, 0, nightSpecies, daySpecies, 2, 0, 0, 0, 0, 1});
      const double elapsedMs = (clock.Now() - biteAt) / kOneMillisecond;
      double step = 1200 - std::fmod(elapsedMs + 1000, 1000);
      if (step <= 100) step += 1000;
      sound.cues.clear();
      Tick(step);
      landingCues = TakeCues();
      EXPECT_EQ(random.Remaining(), 0u);
    } else {
      Tick();
    }
  }
  ASSERT_EQ(S().Hooked, 0) << "still fighting after " << fightSteps << " steps";
  const long long fightSeconds = std::llround((clock.Now() - biteAt) / kOneMillisecond) / 1000;
  const std::string fightTime = "0:00:" + std::string(fightSeconds < 10 ? "0" : "") + std::to_string(fightSeconds);
  if (holding) QTest::mouseRelease(form->maku_b, Qt::LeftButton);
  EXPECT_EQ(landingCues, (std::vector<Cue>{{1, "maku.wav"}, {3, "get.wav"}, {4, "awa2.wav"}}));
  EXPECT_EQ(S().TankKind[1], daySpecies);
  EXPECT_EQ(S().TankSize[1], 30);
  EXPECT_EQ(S().TankSpeed[1], 2);
  EXPECT_EQ(S().TankStrength[1], caught.BaseStrength);
  EXPECT_EQ(S().TankWits[1], caught.BaseWits);
  EXPECT_EQ(S().TankGuts[1], caught.BaseGuts);
  EXPECT_EQ(S().TankHunger[1], 100);
  EXPECT_EQ(S().TankTime[1], fightTime);
  EXPECT_EQ(form->windowTitle().toStdString(), fightTime);
  EXPECT_EQ(S().Sardines, 9);
  EXPECT_EQ(S().Tries, 4);
  EXPECT_EQ(S().Hour, 9);
  EXPECT_EQ(S().LineWear, fightSteps / 30);
  EXPECT_EQ(form->moji_l->Caption().rfind(J("なんと 30cm.の『") + caught.Name + J("』を釣り上げた!!"), 0), 0u);
  Tick();
  EXPECT_TRUE(form->sao_b->isVisible());

  // The tank lists both fish; the new one is named by typing, cut to the
  // 30 cm fish's 4 bytes.
  Click("Button1");
  ASSERT_TRUE(tk::IsShown(form->fish_box));
  EXPECT_EQ(form->fish_list->Line(0), form->Catalogue().SpeciesTable[1].Name);
  EXPECT_EQ(form->fish_list->Line(1), caught.Name);
  EXPECT_EQ(form->fish_list->Line(2), "");
  ClickTankLine(1);
  EXPECT_EQ(form->fish_list->Selected(), 1);
  EXPECT_EQ(form->fish_n_l->Caption(), J("★") + caught.Name);
  Click(form->name_l);
  // Japanese text arrives as an input-method commit.
  QInputMethodEvent commit;
  commit.setCommitString(QString::fromUtf8("ぬしさま"));
  QApplication::sendEvent(form->name_l, &commit);
  EXPECT_EQ(S().TankName[1], J("ぬし"));
  EXPECT_EQ(S().TankName[0], J("タロウ"));
  EXPECT_EQ(TakeCues(), (std::vector<Cue>{{0, "suisou.wav"}, {0, "key.wav"}, {0, "key.wav"}}));

  // Feeding: beans top a full belly up to 100 still naming the drawn 45;
  // milk raises strength (1 in 3), not wits, and refills 15.
  random.Push(10);
  Click("mame_b");
  EXPECT_NE(form->moji_l->Caption().find(J("お腹が 45回復したようだ")), Text::npos);
  random.Push({0, 4, 5});
  Click("milk_b");
  EXPECT_NE(form->moji_l->Caption().find(J("【強さ】が 1上昇!!")), Text::npos);
  EXPECT_EQ(random.Remaining(), 0u);
  EXPECT_EQ(S().Beans, 0);
  EXPECT_EQ(S().Milk, 0);
  EXPECT_EQ(S().TankHunger[1], 100);
  EXPECT_EQ(S().TankStrength[1], caught.BaseStrength + 1);
  EXPECT_EQ(S().TankWits[1], caught.BaseWits);
  EXPECT_EQ(TakeCues(), (std::vector<Cue>{{0, "esa.wav"}, {0, "esa.wav"}, {1, "up.wav"}}));

  // Race entry into class 1: five rivals named from name.dat entries 10..14
  // with speed, stamina and cheers of 0.
  Click("Button10");
  ASSERT_TRUE(tk::IsShown(form->race_box2));
  random.Push({10, 0, 0, 11, 0, 0, 12, 0, 0, 13, 0, 0, 14, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  Click("Button22");
  EXPECT_EQ(random.Remaining(), 0u);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0], caught.Name + J("の『ぬし』をよわっこクラスへ出場させます、よろしいですか？"));
  EXPECT_EQ(S().Money, 373 - 100);
  ASSERT_TRUE(tk::IsShown(form->race_box));
  EXPECT_FALSE(tk::IsShown(form->fish_box));
  const std::vector<std::string> rivalNames = CrlfLines(ReadBytes(folder_ / "dat" / "name.dat"));
  ASSERT_GE(rivalNames.size(), 15u);
  EXPECT_EQ(form->RunnerCaption(1), J("ぬし"));
  for (int runner = 2; runner <= 6; ++runner) {
    EXPECT_EQ(form->RunnerCaption(runner), rivalNames[size_t(8 + runner)]);
    EXPECT_EQ(form->RunnerLeft(runner), 12);
  }
  EXPECT_EQ(form->race_l->Caption().rfind(J("★ぬし\r種:") + caught.Name, 0), 0u);
  EXPECT_EQ(sound.music.back(), "phan.mid");

  // A cheer before the start moves the fish 10 + 5 ahead for 1 strength.
  random.Push(5);
  Click("Button12");
  EXPECT_EQ(form->RunnerLeft(1), 27);
  EXPECT_EQ(S().TankStrength[1], caught.BaseStrength);
  Click("race_start_b");
  EXPECT_EQ(S().RaceRunning, 1);
  EXPECT_EQ(sound.music.back(), "race2.mid");
  EXPECT_EQ(TakeCues(), (std::vector<Cue>{{0, "1.wav"}, {0, "1.wav"}, {1, "ouen.wav"}, {1, "baku.wav"}}));

  // The run: the fish makes 2 pixels a step to the rivals' 1 and wins.
  std::vector<Cue> finishCues;
  for (int guard = 0; tk::IsShown(form->race_box) && guard < 1000; ++guard) {
    Tick();
    if (!tk::IsShown(form->race_box)) finishCues = TakeCues();
  }
  ASSERT_FALSE(tk::IsShown(form->race_box)) << "the race never finished";
  EXPECT_EQ(finishCues, (std::vector<Cue>{{2, "victory.wav"}, {0, "coin.wav"}, {0, "1.wav"}}));
  EXPECT_EQ(TakeInformed(), (std::vector<Text>{J("よわっこクラス優勝!!!!"), J("賞金1000円ゲット!!")}));
  EXPECT_EQ(S().Money, 273 + 1000);
  EXPECT_EQ(S().TankCups1[1], 1);
  ASSERT_TRUE(tk::IsShown(form->fish_box));
  EXPECT_EQ(form->fish_list->Selected(), 1);
  const int value = 200 + 2 * 30 + caught.BaseValue;
  EXPECT_NE(form->fish_l->Caption().find(J("価値 > ") + std::to_string(value) + J("円 弱CUP(1)")), Text::npos);

  // Export of the selected fish, then back to the pond and save.
  Click("Button17");
  EXPECT_EQ(TakeInformed(), (std::vector<Text>{J("ファイル『おさかなデータ.txt』が出力されました")}));
  random.Push(0);  // the saying drawn as the tank closes: a filled one, not the empty 225
  Click("Button21");
  EXPECT_FALSE(tk::IsShown(form->fish_box));
  TakeCues();
  Click("Button2");
  EXPECT_EQ(TakeInformed(), (std::vector<Text>{J("セーブ完了")}));
  EXPECT_EQ(TakeCues(), (std::vector<Cue>{{0, "kan.wav"}, {0, "1.wav"}}));
  EXPECT_EQ(S().Money, 1273 - 50);
  EXPECT_TRUE(dialogs.informed.empty());

  // おさかなデータ.txt: six CR LF lines of the fish in slot 1.
  EXPECT_EQ(CrlfLines(ReadBytes(folder_ / fs::u8path("おさかなデータ.txt"))),
            (std::vector<std::string>{
                J("♪おさかなデータ"),
                J("名前:ぬし"),
                J("種:") + caught.Name,
                J("大きさ:30cm."),
                J("TIME:") + fightTime + J("秒"),
                J("価値:") + std::to_string(value) + J("円 優勝:弱CUP(1)"),
            }));

  // my.dat: the starting save with every change the game made, line by line.
  SaveLines expected = start;
  expected.Money() = "1223";
  expected.Bullets() = "15";
  expected.Sardines() = "9";
  expected.Tries() = "4";
  expected.Hour() = "9";
  expected.LineWear() = std::to_string(fightSteps / 30);
  expected.Hunger(0) = "45";
  expected.Kind(1) = std::to_string(daySpecies);
  expected.Size(1) = "30";
  expected.Name(1) = J("ぬし");
  expected.Speed(1) = "2";
  expected.Strength(1) = std::to_string(caught.BaseStrength);
  expected.Wits(1) = std::to_string(caught.BaseWits);
  expected.Guts(1) = std::to_string(caught.BaseGuts);
  expected.Hunger(1) = "100";
  expected.Cups1(1) = "1";
  expected.Time(1) = fightTime;
  const std::vector<std::string> saved = CrlfLines(ReadBytes(folder_ / "dat" / "my.dat"));
  ASSERT_EQ(saved.size(), size_t(SaveLines::kLines));
  for (int line = 0; line < SaveLines::kLines; ++line)
    EXPECT_EQ(saved[size_t(line)], expected.Lines()[size_t(line)]) << "my.dat line " << line + 1;
}

TEST_F(WholeGame, newGameReachesTheFileOnlyWithTheNextSaveAndLeavesHungerAndCupsInIt) {
  SaveLines start;
  start.Money() = "777";
  start.Bullets() = "3";
  start.Sardines() = "12";
  start.LineStrength() = "350";
  start.ReelLevel() = "2";
  start.Hour() = "21";
  start.Kind(0) = "1";
  start.Size(0) = "40";
  start.Name(0) = J("ハナ");
  start.Strength(0) = "2";
  start.Hunger(0) = "70";
  start.Cups1(0) = "1";
  start.Time(0) = "0:00:12";
  ASSERT_NO_FATAL_FAILURE(Open(start));
  const std::string before = ReadBytes(folder_ / "dat" / "my.dat");

  dialogs.answers = {false, true};
  Click(form->Image2, QPoint(40, 10));
  EXPECT_TRUE(tk::IsShown(form->start_box));
  EXPECT_EQ(S().Money, 777);
  Click(form->Image2, QPoint(40, 10));
  EXPECT_FALSE(tk::IsShown(form->start_box));
  EXPECT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(ReadBytes(folder_ / "dat" / "my.dat"), before);

  Tick();
  Click("Button2");
  EXPECT_EQ(TakeInformed(), (std::vector<Text>{J("セーブ完了")}));
  SaveLines expected;
  expected.Money() = "50";
  expected.Bullets() = "20";
  expected.LineStrength() = "280";
  expected.Hour() = "8";
  expected.Hunger(0) = "70";
  expected.Cups1(0) = "1";
  const std::vector<std::string> saved = CrlfLines(ReadBytes(folder_ / "dat" / "my.dat"));
  ASSERT_EQ(saved.size(), size_t(SaveLines::kLines));
  for (int line = 0; line < SaveLines::kLines; ++line)
    EXPECT_EQ(saved[size_t(line)], expected.Lines()[size_t(line)]) << "my.dat line " << line + 1;
}

}  // namespace
}  // namespace ikea::test
