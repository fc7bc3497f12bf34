#pragma once
// A headless game for the town rules: state, hand-built catalogues, scripted
// random draws, recorded sound and a fake window over a scratch game folder.
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include "game/Catalogues.h"
#include "game/Clock.h"
#include "game/GameContext.h"
#include "game/GameState.h"
#include "tests/support/FakeView.h"
#include "tests/support/RecordingSound.h"
#include "tests/support/ScriptedRandom.h"

namespace ikea::test {

class TownWorld {
public:
  static constexpr int kCrucian = 1;  // base value 100
  static constexpr int kCarp = 2;     // base value 300

  TownWorld() {
    cat->SpeciesTable[kCrucian] = {"フナ", "どこにでもいる", 100, 1, 1, 1, 2};
    cat->SpeciesTable[kCarp] = {"コイ", "池のぬし", 300, 2, 2, 2, 0};
    for (std::size_t k = 0; k < cat->RivalNames.size(); ++k) cat->RivalNames[k] = "R" + std::to_string(k);
    cat->PondSayings[0] = "しずかな池";
    view.runnerLeft.fill(0);
  }
  ~TownWorld() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }

  // A fish in `slot`, listed in the tank and selected.
  void PutFish(int slot, int kind, int size, const Text& name = "") {
    s->TankKind[slot] = kind;
    s->TankSize[slot] = size;
    s->TankName[slot] = name;
    s->TankTime[slot] = "0:01:05";
    s->TankHunger[slot] = 50;
    ListTank();
    view.ListSelect(slot);
  }

  // The tank list as FillTankList leaves it, without its sound or pictures.
  void ListTank() {
    int keep = view.selected;
    view.list.assign(kVisibleSlots, "");
    for (int k = 0; k < kVisibleSlots; ++k)
      if (s->TankKind[k] >= 1) view.list[k] = cat->Species(s->TankKind[k]).Name;
    view.selected = keep;
  }

  std::vector<Text> CueFiles() const {
    std::vector<Text> files;
    for (const auto& c : snd.cues) files.push_back(c.file);
    return files;
  }
  bool Played(const Text& file) const {
    for (const auto& c : snd.cues)
      if (c.file == file) return true;
    return false;
  }

  std::unique_ptr<GameState> s = std::make_unique<GameState>();
  std::unique_ptr<Catalogues> cat = std::make_unique<Catalogues>();
  ScriptedRandom rnd;
  ManualClock clock;
  RecordingSound snd;
  FakeView view;
  std::filesystem::path folder = MakeFolder();
  GameContext ctx{*s, *cat, rnd, clock, snd, view, folder};

private:
  static std::filesystem::path MakeFolder() {
    static int counter = 0;
    auto dir = std::filesystem::temp_directory_path() /
               ("town-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
    std::filesystem::create_directories(dir);
    return dir;
  }
};

} // namespace ikea::test
