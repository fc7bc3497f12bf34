#include "town/Tank.h"

#include "game/Catalogues.h"
#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/View.h"
#include "town/PlayFieldMusic.h"
#include "town/FishCard.h"
#include "town/TankSelection.h"

namespace ikea {
namespace {

constexpr char kEmptyTankPicture[] = "\\cg\\suisou1.bmp";
constexpr char kFishTankPicture[] = "\\cg\\suisou2.bmp";

void ClearCard(View& view) {
  view.SetCardTitle("");
  view.SetShown(Panel::CardTitle, false);
  view.SetCardText("");
}

// Clearing the name edit changes its text, and the edit's change stores its
// text into the selected slot: an empty line's slot gets the empty name. The
// card's own setting of the edit never reaches name_lChange, so it is done here.
void ShowEmptyCard(GameContext& ctx) {
  ctx.view.SetTankPicture(kEmptyTankPicture);
  ClearCard(ctx.view);
  ctx.view.SetNameEdit("");
  name_lChange(ctx, Text());
}

} // namespace

void Button1Click(GameContext& ctx) {
  ctx.snd.PlayCue0("suisou.wav");
  if (ctx.view.IsShown(Panel::Fish)) {
    ctx.view.SetShown(Panel::Fish, false);
  } else {
    ctx.view.SetShown(Panel::Fish, true);
    ctx.view.TypeMessage("プクプク....");
  }
  ctx.view.SetShown(Panel::Shop, false);
  ctx.view.SetShown(Panel::Help, false);
  FillTankList(ctx);
}

void FillTankList(GameContext& ctx) {
  View& view = ctx.view;
  ClearCard(view);
  view.ListSelect(-1);
  view.ListClear();
  for (int line = 0; line < kVisibleSlots; ++line) view.ListAdd("");
  for (int slot = 0; slot < kVisibleSlots; ++slot)
    view.ListSetLine(slot, ctx.s.TankKind[slot] >= 1 ? ctx.cat.Species(ctx.s.TankKind[slot]).Name : Text());
  view.SetTankPicture(kEmptyTankPicture);
}

void ShowFishCard(GameContext& ctx) {
  View& view = ctx.view;
  const auto slot = SelectedFish(view);
  if (!slot) {
    ShowEmptyCard(ctx);
    return;
  }
  const int i = *slot;
  ctx.s.SelectedSlot = FindSpeciesByName(ctx.cat, view.ListLine(i));
  const std::int32_t species = ctx.s.SelectedSlot;
  view.SetShown(Panel::CardTitle, true);
  view.SetCardTitle("★" + ctx.cat.Species(species).Name);
  view.SetCardText(FishCardText(ctx.s, ctx.cat, i, species));
  view.SetNameEdit(ctx.s.TankName[i]);
  view.SetNameLimit(NameLimit(ctx.s.TankSize[i]));
  view.SetTankPicture(kFishTankPicture);
}

void fish_listMouseDown(GameContext& ctx) {
  ShowFishCard(ctx);
  ctx.snd.PlayCue0("key.wav");
}

void name_lChange(GameContext& ctx, const Text& text) {
  if (const auto line = SelectedLine(ctx.view)) ctx.s.TankName[*line] = text;
}

void Button7Click(GameContext& ctx) {
  const auto slot = SelectedFish(ctx.view);
  if (!slot) {
    ctx.snd.PlayCue0("no.wav");
    return;
  }
  const int i = *slot;
  ctx.snd.PlayCue0("coin.wav");
  // The species is found from the line itself, as the card does: a selection
  // moved without a card refresh must not be priced as the previous fish.
  const Text line = ctx.view.ListLine(i);
  ctx.s.SelectedSlot = FindSpeciesByName(ctx.cat, line);
  const std::int32_t price = SalePrice(ctx.s, ctx.cat, i, ctx.s.SelectedSlot);
  ctx.s.Money = WrapAdd(ctx.s.Money, price);
  ctx.s.TankKind[i] = 0;
  ctx.s.TankName[i].clear();
  // The line is emptied before the message is typed: a second press on
  // "売却" while it types must find the slot sold, not pay again.
  ctx.view.ListSetLine(i, "");
  ctx.view.TypeMessage("【" + line + "】を " + n(price) + "円で売りました");
  ShowFishCard(ctx);
}

void Button21Click(GameContext& ctx) {
  if (ctx.view.IsShown(Panel::RaceChooser)) {
    ctx.view.TypeMessage("え、やめるの？");
    ctx.view.SetShown(Panel::RaceChooser, false);
    ctx.snd.PlayCue0("1.wav");
    return;
  }
  ctx.view.TypeMessage(PlayFieldMusic(ctx.cat, ctx.rnd, ctx.snd));
  ctx.snd.PlayCue0("1.wav");
  ctx.view.SetShown(Panel::Fish, false);
}

} // namespace ikea
