#include "town/Shop.h"

#include <cstdint>

#include "game/Catalogues.h"
#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/View.h"
#include "town/PlayFieldMusic.h"
#include "game/UpgradePrices.h"

namespace ikea {
namespace {

enum class Effect { Add, Reset };

struct Goods {
  std::int32_t price;
  std::int32_t tmy::*field;
  Effect effect;
  std::int32_t amount;
  const char* message;
  bool tellsCount;  // baits: the message ends with the new count and ")"
};

const Goods kOneBullet{5, &tmy::Bullets, Effect::Add, 1, "銃弾を 1発買った!!", false};
const Goods kTenBullets{40, &tmy::Bullets, Effect::Add, 10, "銃弾を 10発買った!!", false};
const Goods kLineRepair{10, &tmy::LineWear, Effect::Reset, 0, "糸の弱体を修復した!!", false};
const Goods kOneSardine{6, &tmy::Sardines, Effect::Add, 1, "にぼしを 1匹買った!!", false};
const Goods kTenSardines{50, &tmy::Sardines, Effect::Add, 10, "にぼしを 10匹買った!!", false};
const Goods kBeans{12, &tmy::Beans, Effect::Add, 1, "まめを 1個買った!!(所持:", true};
const Goods kMilk{60, &tmy::Milk, Effect::Add, 1, "牛乳を 1個買った!!(所持:", true};
const Goods kShrimp{120, &tmy::Shrimp, Effect::Add, 1, "えびを 1個買った!!(所持:", true};
const Goods kJisuDama{500, &tmy::JisuDama, Effect::Add, 1, "じす玉を 1個買った!!(所持:", true};

// Money is tested before anything changes; exactly the price is enough.
bool Pay(GameContext& ctx, std::int32_t price) {
  if (ctx.s.Money < price) {
    ctx.snd.PlayCue0("no.wav");
    ctx.view.TypeMessage("お金が足りません");
    return false;
  }
  ctx.s.Money = WrapSub(ctx.s.Money, price);
  return true;
}

void Buy(GameContext& ctx, const Goods& goods) {
  if (!Pay(ctx, goods.price)) return;
  ctx.snd.PlayCue0("buy.wav");
  std::int32_t& field = ctx.s.*goods.field;
  field = goods.effect == Effect::Reset ? 0 : WrapAdd(field, goods.amount);
  ctx.view.TypeMessage(goods.tellsCount ? goods.message + n(field) + ")" : Text(goods.message));
}

// Pays for the next level and plays its sounds; false when refused.
bool PayForUpgrade(GameContext& ctx, std::int32_t price) {
  if (!Pay(ctx, price)) return false;
  ctx.snd.PlayCue0("buy.wav");
  ctx.snd.PlayCue1("up.wav");
  return true;
}

const char kBought[] = "を買った!!";

} // namespace

void Button3Click(GameContext& ctx) {
  if (!ctx.view.IsShown(Panel::Shop)) {
    ctx.snd.PlayCue0("neji.wav");
    ctx.view.SetShown(Panel::Shop, true);
    ctx.view.TypeMessage("いらっちゃい");
  } else {
    ctx.snd.PlayCue0("1.wav");
    ctx.view.SetShown(Panel::Shop, false);
    ctx.view.TypeMessage(PlayFieldMusic(ctx.cat, ctx.rnd, ctx.snd));
  }
  ctx.view.SetShown(Panel::Fish, false);
  ctx.view.SetShown(Panel::Help, false);
}

void Button4Click(GameContext& ctx) { Buy(ctx, kOneBullet); }
void Button6Click(GameContext& ctx) { Buy(ctx, kTenBullets); }
void Button5Click(GameContext& ctx) { Buy(ctx, kLineRepair); }
void Button18Click(GameContext& ctx) { Buy(ctx, kOneSardine); }
void Button19Click(GameContext& ctx) { Buy(ctx, kTenSardines); }
void Button20Click(GameContext& ctx) { Buy(ctx, kBeans); }
void Button13Click(GameContext& ctx) { Buy(ctx, kMilk); }
void Button14Click(GameContext& ctx) { Buy(ctx, kShrimp); }
void Button15Click(GameContext& ctx) { Buy(ctx, kJisuDama); }

void gun_bClick(GameContext& ctx) {
  if (!PayForUpgrade(ctx, GunPrice(ctx.s.GunLevel))) return;
  ctx.s.GunLevel = WrapAdd(ctx.s.GunLevel, 1);
  ctx.view.TypeMessage(ctx.cat.GunName(ctx.s.GunLevel) + kBought);
  ctx.view.TypeMessageLine("銃の威力 > +1");
}

void line_bClick(GameContext& ctx) {
  if (!PayForUpgrade(ctx, LinePrice(ctx.s.LineStrength))) return;
  ctx.s.LineStrength = WrapAdd(ctx.s.LineStrength, kLineStrengthStep);
  ctx.view.TypeMessage(ctx.cat.LineName(ctx.s.LineStrength) + kBought);
  ctx.view.TypeMessageLine("糸の強度 > +10");
}

void real_bClick(GameContext& ctx) {
  if (!PayForUpgrade(ctx, ReelPrice(ctx.s.ReelLevel))) return;
  ctx.s.ReelLevel = WrapAdd(ctx.s.ReelLevel, 1);
  ctx.view.TypeMessage(ctx.cat.ReelName(ctx.s.ReelLevel) + kBought);
}

} // namespace ikea
