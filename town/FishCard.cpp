#include "town/FishCard.h"

#include <algorithm>
#include <array>

#include "game/Catalogues.h"
#include "game/GameState.h"

namespace ikea {
namespace {

struct CupClass {
  TankArray<std::int32_t> tmy::*cups;
  const char* prefix;
  std::int32_t worth;  // yen per cup on the card
};

const std::array<CupClass, 6> kCupClasses{{
    {&tmy::TankCups1, "弱CUP(", 200},
    {&tmy::TankCups2, " 年CUP(", 300},
    {&tmy::TankCups3, " 強CUP(", 400},
    {&tmy::TankCups4, " 恐CUP(", 500},
    {&tmy::TankCups5, " 獄CUP(", 600},
    {&tmy::TankCups6, " 幻CUP(", 700},
}};

constexpr char kStar[] = "★";

std::int32_t SizeAndBase(const tmy& t, const Catalogues& cat, int slot, std::int64_t species) {
  return WrapAdd(WrapMul(2, t.TankSize[slot]), cat.Species(species).BaseValue);
}

} // namespace

Text Stars(std::int32_t count) {
  Text stars;
  for (std::int32_t k = 0; k < std::min(count, kMaxStars); ++k) stars += kStar;
  return stars;
}

Text CupList(const tmy& t, int slot) {
  Text list;
  for (const CupClass& c : kCupClasses) {
    const std::int32_t count = (t.*c.cups)[slot];
    if (count >= 1) list += c.prefix + n(count) + ")";
  }
  return list;
}

std::int32_t CardValue(const tmy& t, const Catalogues& cat, int slot, std::int64_t species) {
  std::int32_t value = 0;
  for (const CupClass& c : kCupClasses) value = WrapAdd(value, WrapMul(c.worth, (t.*c.cups)[slot]));
  return WrapAdd(value, SizeAndBase(t, cat, slot, species));
}

std::int32_t SalePrice(const tmy& t, const Catalogues& cat, int slot, std::int64_t species) {
  return WrapAdd(WrapMul(kCupClasses[0].worth, t.TankCups1[slot]), SizeAndBase(t, cat, slot, species));
}

std::int32_t FindSpeciesByName(const Catalogues& cat, const Text& name) {
  std::int32_t found = -1;
  for (std::size_t k = 0; k < cat.SpeciesTable.size(); ++k)
    if (cat.SpeciesTable[k].Name == name) found = static_cast<std::int32_t>(k);
  return found;
}

int NameLimit(std::int32_t size) {
  return std::clamp(size / 10 + 1, 1, 16);
}

Text FishCardText(const tmy& t, const Catalogues& cat, int slot, std::int64_t species) {
  const Text cr = "\r";
  return cr + cr + cat.Species(species).Remark + cr +
         "―――――――――――――――――――――――" + cr +
         "大きさ > " + n(t.TankSize[slot]) + "cm. " + " TIME > " + t.TankTime[slot] + "秒" + cr +
         "強さ > " + n(t.TankStrength[slot]) + "p." + " 賢さ > " + n(t.TankWits[slot]) + "p." + cr +
         "底力 > " + Stars(t.TankGuts[slot]) + cr +
         "速さ > " + Stars(t.TankSpeed[slot]) + cr +
         "お腹 > " + n(t.TankHunger[slot]) + "/100" + cr +
         "価値 > " + n(CardValue(t, cat, slot, species)) + "円 " + CupList(t, slot);
}

} // namespace ikea
