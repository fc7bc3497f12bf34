// One game tick and one pond step with the effect ring full, drawn onto a
// canvas that discards everything, so only the rules' own cost is measured.
#include <benchmark/benchmark.h>

#include <memory>

#include "fishing/Effects.h"
#include "fishing/Pond.h"
#include "fishing/Tick.h"
#include "game/Catalogues.h"
#include "game/Clock.h"
#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"
#include "game/Canvas.h"

namespace ikea {
namespace {

class NullCanvas final : public Canvas {
public:
  void SetPen(Rgb, int) override {}
  void SetPenWidth(int) override {}
  void SetBrush(Rgb) override {}
  void SetBrushSolid() override {}
  void SetBrushClear() override {}
  void Ellipse(int, int, int, int) override {}
  void Rectangle(int, int, int, int) override {}
  void SetFont(Rgb, int, bool, bool) override {}
  void TextOut(int, int, const std::string& t) override { benchmark::DoNotOptimize(t.data()); }
  void DrawPicture(const std::string&, int, int) override {}
};

// A window with nothing shown; messages go nowhere.
class NullView final : public View {
public:
  void TypeMessage(const Text&) override {}
  void TypeMessageLine(const Text&) override {}
  void ShowMessage(const Text&) override {}
  bool AskYesNo(const Text&) override { return false; }
  bool IsShown(Panel) const override { return false; }
  void SetShown(Panel, bool) override {}
  void MovePanel(Panel, int, int) override {}
  void SetCaption(const Text&) override {}
  Canvas& PondCanvas() override { return canvas; }
  void ListClear() override {}
  void ListAdd(const Text&) override {}
  int ListCount() const override { return 0; }
  Text ListLine(int) const override { return {}; }
  void ListSetLine(int, const Text&) override {}
  int ListSelected() const override { return -1; }
  void ListSelect(int) override {}
  void SetCardTitle(const Text&) override {}
  void MoveCardTitle(int, int) override {}
  void SetCardText(const Text&) override {}
  void SetNameEdit(const Text&) override {}
  void SetNameLimit(int) override {}
  void SetTankPicture(const Text&) override {}
  void SetRunnerLeft(int, int) override {}
  int RunnerLeft(int) const override { return 0; }
  void SetRunnerCaption(int, const Text&) override {}
  Text RunnerCaption(int) const override { return {}; }
  int RunnerWidth(int) const override { return 0; }
  void SetRaceCard(const Text&) override {}

  NullCanvas canvas;
};

struct Pond {
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  std::unique_ptr<Catalogues> catalogues = std::make_unique<Catalogues>();
  TwisterRandom rnd{12345};
  ManualClock clock;
  SilentSound snd;
  NullView view;
  GameContext ctx{*state, *catalogues, rnd, clock, snd, view, {}};

  Pond() {
    catalogues->FillConstants();
    GameState& s = *state;
    s.Hour = 8;
    s.LineStrength = 280;
    s.Sardines = 10;
    for (int kind = 0; kind < kEffectRingSize; ++kind)
      SpawnEffect(s, rnd, kind % 5, 150, 100, kind % 5 == kDamageNumber ? 20 : 0);
  }

  // A creature that fights on for ever: hooked, weak on the line, never
  // reeled, so no ending cuts the tick short.
  void KeepFighting() {
    GameState& s = *state;
    s.FishingPhase = 3;
    s.Hooked = 1;
    s.FishSize = 60;
    s.FishHP = 80;
    s.LineOut = 40;
    s.LineTension = 100;
  }

  // Every live effect back to its first drawing, so the ring stays full.
  void RefillEffects() {
    for (int entry = 0; entry < kEffectRingSize; ++entry) state->EffectAge[entry] = 1 + entry % 28;
  }
};

void BM_DrawPondWithFullEffectRing(benchmark::State& bench) {
  Pond pond;
  pond.KeepFighting();
  for (auto _ : bench) {
    pond.RefillEffects();
    DrawPond(pond.ctx, pond.view.canvas);
    pond.KeepFighting();
  }
}
BENCHMARK(BM_DrawPondWithFullEffectRing);

void BM_GameTickWithFullEffectRing(benchmark::State& bench) {
  Pond pond;
  pond.KeepFighting();
  StepRaceFn noRace;
  for (auto _ : bench) {
    pond.RefillEffects();
    GameTick(pond.ctx, noRace);
    pond.KeepFighting();
  }
}
BENCHMARK(BM_GameTickWithFullEffectRing);

} // namespace
} // namespace ikea

BENCHMARK_MAIN();
