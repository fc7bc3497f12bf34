#include "town/RaceEntry.h"

#include "game/Catalogues.h"
#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"
#include "town/FishCard.h"
#include "town/RaceClasses.h"
#include "town/RaceRunners.h"
#include "town/TankSelection.h"

namespace ikea {
namespace {

constexpr char kNoNameMessage[] = "名前の無い肴はレースにでれません";
constexpr std::int32_t kRivalNameDraw = 226;
constexpr int kSyllablesPerName = 4;
constexpr std::int32_t kSyllableDraw = 96;

void Refuse(GameContext& ctx, const char* message = nullptr) {
  ctx.snd.PlayCue0("no.wav");
  if (message) ctx.view.TypeMessage(message);
}

// The checks of a class entry in their order; the slot to enter, or nothing
// after a refusal.
std::optional<int> CheckEntry(GameContext& ctx, const RaceClassInfo& info, int raceClass) {
  // With nothing selected the cup test is skipped; an empty line still has it.
  const auto line = SelectedLine(ctx.view);
  if (line && (*ctx.s.CupsOfClass(raceClass))[*line] != 0) {
    Refuse(ctx, "この魚でこのクラスはもう出場できません");
    return std::nullopt;
  }
  if (ctx.s.Money < info.fee) {
    Refuse(ctx, "お金が足りません");
    return std::nullopt;
  }
  const auto slot = SelectedFish(ctx.view);
  if (!slot) {
    Refuse(ctx);
    return std::nullopt;
  }
  if (ctx.s.TankName[*slot].empty()) {
    Refuse(ctx, kNoNameMessage);
    return std::nullopt;
  }
  return slot;
}

void DrawRivals(GameContext& ctx, const RaceClassInfo& info) {
  for (int k = 0; k < kRivals; ++k) {
    ctx.view.SetRunnerCaption(FirstRival + k, MakeRivalName(ctx));
    ctx.s.RivalSpeed[k] = ctx.rnd.Random(info.speedBounds[k]);
  }
  for (int k = 0; k < kRivals; ++k) ctx.s.RivalGuts[k] = ctx.rnd.Random(info.gutsBounds[k]);
  for (int k = 0; k < kRivals; ++k) ctx.s.RivalCheers[k] = ctx.rnd.Random(info.cheerBounds[k]);
}

void SetUpRacePanel(GameContext& ctx, const RaceClassInfo& info, int slot) {
  View& view = ctx.view;
  view.SetShown(Panel::Fish, false);
  view.SetShown(Panel::RaceChooser, false);
  view.SetShown(Panel::Race, true);
  for (int r = PlayerRunner; r <= LastRunner; ++r) view.SetRunnerLeft(r, kStartLeft);
  view.SetRunnerCaption(PlayerRunner, ctx.s.TankName[slot]);
  DrawRivals(ctx, info);
  ctx.s.RaceRunning = 0;
  view.SetShown(Panel::RaceStartButton, true);
  ShowRaceCard(ctx);
  ctx.snd.PlayMusic("phan.mid");
}

} // namespace

void Button10Click(GameContext& ctx) {
  const auto slot = SelectedFish(ctx.view);
  if (!slot) return Refuse(ctx);
  if (ctx.s.TankName[*slot].empty()) return Refuse(ctx, kNoNameMessage);
  ctx.snd.PlayCue0("1.wav");
  ctx.view.MovePanel(Panel::RaceChooser, 4, 140);
  ctx.view.SetShown(Panel::RaceChooser, true);
  ctx.view.TypeMessage("クラスを選択してね");
  ctx.s.RaceClass = 0;
}

void EnterRaceClass(GameContext& ctx, int raceClass) {
  const RaceClassInfo* info = RaceClassOf(raceClass);
  if (!info) return;
  const auto slot = CheckEntry(ctx, *info, raceClass);
  if (!slot) return;
  const int i = *slot;
  if (!ctx.view.AskYesNo(ctx.view.ListLine(i) + "の『" + ctx.s.TankName[i] + info->confirmClosing)) return;
  ctx.s.Money -= info->fee;
  ctx.s.RaceClass = raceClass;
  ctx.snd.PlayCue0("1.wav");
  ctx.s.SelectedSlot = i;
  SetUpRacePanel(ctx, *info, i);
}

void Button22Click(GameContext& ctx) { EnterRaceClass(ctx, 1); }
void Button23Click(GameContext& ctx) { EnterRaceClass(ctx, 2); }
void Button24Click(GameContext& ctx) { EnterRaceClass(ctx, 3); }
void Button26Click(GameContext& ctx) { EnterRaceClass(ctx, 4); }
void Button25Click(GameContext& ctx) { EnterRaceClass(ctx, 5); }
void Button27Click(GameContext& ctx) { EnterRaceClass(ctx, 6); }

Text MakeRivalName(GameContext& ctx) {
  Text name = ctx.cat.RivalName(ctx.rnd.Random(kRivalNameDraw));
  if (ctx.rnd.Random(100) != 1) return name;
  Text syllables;
  for (int k = 0; k < kSyllablesPerName; ++k) syllables += KanaSyllable(ctx.rnd.Random(kSyllableDraw));
  return syllables;
}

void ShowRaceCard(GameContext& ctx) {
  const GameState& s = ctx.s;
  const std::int32_t slot = s.SelectedSlot;
  const tfish& species = ctx.cat.Species(SlotFigure(s.TankKind, slot));
  const Text cr = "\r";
  const Text name = IsTankSlot(slot) ? s.TankName[static_cast<std::size_t>(slot)] : Text();
  ctx.view.SetRaceCard("★" + name + cr +
                       "種:" + species.Name + cr +
                       cr +
                       species.Remark + cr +
                       "―――――――――――――" + cr +
                       "大きさ > " + n(SlotFigure(s.TankSize, slot)) + "cm." + cr +
                       "強さ > " + n(SlotFigure(s.TankStrength, slot)) + "p." +
                       " 賢さ > " + n(SlotFigure(s.TankWits, slot)) + "p." + cr +
                       "底力 > " + Stars(SlotFigure(s.TankGuts, slot)) + cr +
                       "速さ > " + Stars(SlotFigure(s.TankSpeed, slot)));
}

} // namespace ikea
