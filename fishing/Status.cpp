#include "fishing/Status.h"

#include "game/Catalogues.h"
#include "game/GameState.h"
// Header only: the shop charges the prices the captions show.
#include "game/UpgradePrices.h"

namespace ikea {
namespace {

constexpr Rgb kGaugeBackEven{0, 64, 128};
constexpr Rgb kGaugeBackOdd{0, 39, 79};  // the gauge's own background


// " \" then the price; the backslash shows as the yen sign.
Text PriceCaption(const Text& name, std::int32_t price) { return name + " \\" + n(price); }

UpgradeButton Offer(bool available, const Text& name, std::int32_t price) {
  UpgradeButton b;
  b.visible = available;
  if (available) b.caption = PriceCaption(name, price);
  return b;
}

BaitCaptions Bait(const GameState& s) {
  return {"えび(" + n(s.Shrimp) + ")", "牛乳(" + n(s.Milk) + ")", "まめ(" + n(s.Beans) + ")",
          "じす玉(" + n(s.JisuDama) + ")"};
}

} // namespace

Text TimeOfDayWord(std::int32_t hour) {
  if (hour >= 0 && hour <= 4) return "夜";
  if (hour >= 5 && hour <= 7) return "朝";
  if (hour >= 8 && hour <= 16) return "昼";
  if (hour >= 17 && hour <= 19) return "夕方";
  if (hour >= 20 && hour <= 24) return "夜";
  return {};
}

Text StatusText(const GameState& s) {
  return "ﾗｲﾝﾃﾝｼｮﾝ > " + n(s.LineTension) + "\r" +
         "残り > " + n(s.LineOut) + "m." + "\r" + "\r" +
         "糸の弱体 > -" + n(s.LineWear) + "\r" +
         "銃弾残り:" + n(s.Bullets) + "発" + "\r" +
         "にぼし:" + n(s.Sardines) + "匹" + "\r" + "\r" +
         "時刻:" + TimeOfDayWord(s.Hour) + " " + n(s.Hour) + "時" + "\r" + "\r" +
         "トライ:" + n(s.Tries) + "回" + "\r" +
         "所持金:" + n(s.Money) + "円";
}

Text EquipmentText(const GameState& s, const Catalogues& cat) {
  return "装備:【" + cat.GunName(s.GunLevel) + "】 威力:△" + n(s.GunLevel) + "\r" +
         "糸:『" + cat.LineName(s.LineStrength) + "』 強度:" + n(s.LineStrength) + "\r" +
         "リール:『" + cat.ReelName(s.ReelLevel) + "』 Lv:" + n(s.ReelLevel);
}

Text MoneyText(const GameState& s) { return "お金:" + n(s.Money) + "円"; }

StatusTexts ComposeStatus(const GameState& s, const Catalogues& cat, bool tankShown) {
  StatusTexts t;
  t.state_l = StatusText(s);
  t.state_l2 = EquipmentText(s, cat);
  t.state_l3 = MoneyText(s);
  t.line_max_l = n(s.LineStrength);
  t.gaugeMax = s.LineStrength;
  t.gaugeProgress = s.LineTension;
  if (s.Hooked == 1) t.gaugeBackColour = s.TickCount % 2 == 0 ? kGaugeBackEven : kGaugeBackOdd;
  t.saoVisible = s.FishingPhase == 0;
  t.makuVisible = s.FishingPhase >= 2;
  if (tankShown) t.bait = Bait(s);

  std::int64_t reel = s.ReelLevel, gun = s.GunLevel, line = s.LineStrength;
  t.real_b = Offer(reel <= kLastOfferedReelLevel, cat.ReelName(reel + 1), ReelPrice(s.ReelLevel));
  t.gun_b = Offer(gun <= kLastOfferedGunLevel, cat.GunName(gun + 1), GunPrice(s.GunLevel));
  t.line_b = Offer(line <= kLastOfferedLineStrength, cat.LineName(line + kLineStrengthStep),
                   LinePrice(s.LineStrength));
  return t;
}

} // namespace ikea
