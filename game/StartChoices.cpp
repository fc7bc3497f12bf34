#include "game/StartChoices.h"

#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/SaveFile.h"
#include "game/View.h"

namespace ikea {

void Button2Click(GameContext& ctx) {
  if (ctx.s.Money < kSaveFee) {
    ctx.snd.PlayCue0("no.wav");
    ctx.view.TypeMessage("お金が足りません");
    return;
  }
  ctx.s.Money -= kSaveFee;  // paid first, so the file records the money after the fee
  SaveGameData(ctx.folder, ctx.s);
  ctx.snd.PlayCue0("kan.wav");
  ctx.view.ShowMessage("セーブ完了");
  ctx.snd.PlayCue0("1.wav");
}

void Button8Click(GameContext& ctx) {
  ctx.snd.PlayCue0("1.wav");
  if (!ctx.view.AskYesNo("これまでのデータは初期化されます、よろしいですか？")) return;
  ctx.snd.PlayCue1("start.wav");
  ctx.view.SetShown(Panel::Start, false);
  ResetToNewGame(ctx.s);
  ctx.view.TypeMessage("あ、池だ!!");
}

void Button9Click(GameContext& ctx) {
  ctx.snd.PlayCue0("start.wav");
  ctx.view.SetShown(Panel::Start, false);
  ctx.view.TypeMessage("つりしよっと");
}

void ResetToNewGame(tmy& saved) {
  saved.Money = 100;
  saved.Shrimp = 0;
  saved.Milk = 0;
  saved.Beans = 0;
  saved.JisuDama = 0;
  saved.Sardines = 0;
  saved.Bullets = 20;
  saved.GunLevel = 0;
  saved.Tries = 0;
  saved.LineStrength = 280;
  saved.ReelLevel = 0;
  saved.LineWear = 0;
  saved.Hour = 8;
  saved.TankKind.fill(0);
  saved.TankSize.fill(0);
  saved.TankName.fill(Text());
  saved.TankTime.fill(Text());
  saved.TankSpeed.fill(0);
  saved.TankStrength.fill(0);
  saved.TankGuts.fill(0);
  saved.TankWits.fill(0);
}

GameState NewGameState() {
  GameState state;
  ResetToNewGame(state);
  return state;
}

} // namespace ikea
