#include "town/Feeding.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "game/GameContext.h"
#include "game/GameSound.h"
#include "game/GameState.h"
#include "game/Random.h"
#include "game/View.h"
#include "town/Tank.h"
#include "town/TankSelection.h"

namespace ikea {
namespace {

// A statistic rule: a chance of 1 in `chance` (0: always, no draw), and
// whether the rise stops at 7.
struct StatRule {
  TankArray<std::int32_t> tmy::*stat = nullptr;  // nullptr: no rule
  std::int32_t chance = 0;
  bool stopsAtSeven = true;
  const char* riseMessage = "";
};

struct Bait {
  std::int32_t tmy::*count;
  const char* feedingMessage;
  StatRule rules[2];
  std::int32_t refillBase;
  std::int32_t refillRange;
};

constexpr std::int32_t kHighestTrainedFigure = 7;
constexpr std::int32_t kFullBelly = 100;

const char kStrengthRise[] = "【強さ】が 1上昇!!";
const char kWitsRise[] = "【賢さ】が 1上昇!!";
const char kGutsRise[] = "【底力】が 1上昇!!";
const char kSpeedRise[] = "【速さ】が 1上昇!!";

const Bait kBeans{&tmy::Beans, "まめを与えた", {}, 35, 25};
const Bait kMilk{&tmy::Milk, "牛乳を与えた",
                 {{&tmy::TankStrength, 3, true, kStrengthRise}, {&tmy::TankWits, 5, true, kWitsRise}},
                 10, 10};
const Bait kShrimp{&tmy::Shrimp, "えびを与えた",
                   {{&tmy::TankGuts, 4, true, kGutsRise}, {&tmy::TankWits, 3, true, kWitsRise}},
                   20, 20};
const Bait kJisuDama{&tmy::JisuDama, "じす玉を与えた",
                     {{&tmy::TankSpeed, 0, true, kSpeedRise}, {&tmy::TankWits, 3, false, kWitsRise}},
                     15, 15};

std::int32_t SaturatingIncrement(std::int32_t v) {
  return v == std::numeric_limits<std::int32_t>::max() ? v : v + 1;
}

// The draw is made whether or not the limit allows the rise, so the draws
// that follow do not depend on the fish's figures.
void ApplyRule(GameContext& ctx, const StatRule& rule, int slot) {
  if (!rule.stat) return;
  const bool lucky = rule.chance == 0 || ctx.rnd.Random(rule.chance) == 0;
  std::int32_t& figure = (ctx.s.*rule.stat)[slot];
  if (!lucky || (rule.stopsAtSeven && figure >= kHighestTrainedFigure)) return;
  ctx.snd.PlayCue1("up.wav");
  figure = SaturatingIncrement(figure);
  ctx.view.TypeMessageLine(rule.riseMessage);
}

void Feed(GameContext& ctx, const Bait& bait) {
  const auto slot = SelectedFish(ctx.view);
  std::int32_t& count = ctx.s.*bait.count;
  if (!slot || count <= 0) {
    ctx.snd.PlayCue0("no.wav");
    return;
  }
  const int i = *slot;
  --count;
  ctx.snd.PlayCue0("esa.wav");
  ctx.view.TypeMessage(bait.feedingMessage);
  for (const StatRule& rule : bait.rules) ApplyRule(ctx, rule, i);
  const std::int32_t refill = bait.refillBase + ctx.rnd.Random(bait.refillRange);
  std::int32_t& belly = ctx.s.TankHunger[i];
  belly = static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{belly} + refill, kFullBelly));
  ctx.view.TypeMessageLine("お腹が " + n(refill) + "回復したようだ");
  ShowFishCard(ctx);
}

} // namespace

void mame_bClick(GameContext& ctx) { Feed(ctx, kBeans); }
void milk_bClick(GameContext& ctx) { Feed(ctx, kMilk); }
void ebi_bClick(GameContext& ctx) { Feed(ctx, kShrimp); }
void jis_bClick(GameContext& ctx) { Feed(ctx, kJisuDama); }

} // namespace ikea
