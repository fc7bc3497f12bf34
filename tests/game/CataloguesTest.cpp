#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>
#include <set>

#include "game/Catalogues.h"

namespace ikea {
namespace {

class FilledCatalogues : public ::testing::Test {
protected:
  void SetUp() override { cat.FillConstants(); }
  Catalogues cat;
};

TEST_F(FilledCatalogues, everyPartOfTheDayHasItsCountOfSpecies) {
  std::map<int, int> perClass;
  for (int i = 1; i <= 69; ++i) ++perClass[cat.SpeciesTable[i].TimeClass];
  EXPECT_EQ(perClass, (std::map<int, int>{{0, 13}, {1, 8}, {2, 38}, {3, 10}}));
}

TEST_F(FilledCatalogues, speciesOneToSixtyNineAreNamedDistinctlyAndTheRestIsEmpty) {
  std::set<Text> names;
  for (int i = 1; i <= 69; ++i) {
    EXPECT_FALSE(cat.SpeciesTable[i].Name.empty()) << i;
    EXPECT_FALSE(cat.SpeciesTable[i].Remark.empty()) << i;
    names.insert(cat.SpeciesTable[i].Name);
  }
  EXPECT_EQ(names.size(), 69u);
  EXPECT_TRUE(cat.SpeciesTable[0].Name.empty());
  for (int i = 70; i < 512; ++i) EXPECT_TRUE(cat.SpeciesTable[i].Name.empty()) << i;
}

TEST_F(FilledCatalogues, speciesRowsKeepTheirValuesAndCp932Names) {
  const tfish& shark = cat.SpeciesTable[1];
  EXPECT_EQ(shark.Name, "サメ");
  EXPECT_EQ(shark.Name, "\x83\x54\x83\x81");
  EXPECT_EQ(shark.Remark, "狂暴");
  EXPECT_EQ((std::array{shark.BaseValue, shark.BaseStrength, shark.BaseWits, shark.BaseGuts, shark.TimeClass}),
            (std::array{30, 3, 0, 0, 2}));
  const tfish& spaceship = cat.SpeciesTable[37];
  EXPECT_EQ(spaceship.Name, "宇宙船");
  EXPECT_EQ(spaceship.Remark, "船体にはVIRGINと刻まれている");
  EXPECT_EQ(spaceship.BaseGuts, 5);
  const tfish& crayfish = cat.SpeciesTable[69];
  EXPECT_EQ(crayfish.Name, "ザリガニ");
  EXPECT_EQ(crayfish.Remark, "私を釣ってこそ真の釣り師だ!!");
  EXPECT_EQ((std::array{crayfish.BaseValue, crayfish.BaseStrength, crayfish.BaseWits, crayfish.BaseGuts,
                        crayfish.TimeClass}),
            (std::array{50, 2, 0, 1, 2}));
}

TEST_F(FilledCatalogues, equipmentTablesFillExactlyTheirLevels) {
  EXPECT_EQ(cat.ReelName(0), "青銅のリール");
  EXPECT_EQ(cat.ReelName(6), "うでで巻く");
  EXPECT_TRUE(cat.ReelName(7).empty());
  EXPECT_EQ(cat.GunName(0), "拳銃");
  EXPECT_EQ(cat.GunName(12), "ヌヌミア’ｓガン");
  EXPECT_EQ(cat.GunName(15), "石");
  EXPECT_TRUE(cat.GunName(16).empty());

  int namedLines = 0;
  for (int strength = 0; strength < 601; ++strength) {
    const bool named = !cat.LineName(strength).empty();
    namedLines += named;
    EXPECT_EQ(named, strength >= 280 && strength <= 500 && strength % 10 == 0) << strength;
  }
  EXPECT_EQ(namedLines, 23);
  EXPECT_EQ(cat.LineName(280), "弱い糸");
  EXPECT_EQ(cat.LineName(450), "エーテルライン");
  EXPECT_EQ(cat.LineName(500), "ラストライン");
  EXPECT_TRUE(cat.LineName(285).empty());
}

TEST_F(FilledCatalogues, sixtySixSayingsAreFilledAndTheRestStayEmpty) {
  for (int i = 0; i < 257; ++i) EXPECT_EQ(cat.PondSaying(i).empty(), i > 65) << i;
  EXPECT_EQ(cat.PondSaying(0), "池がオレを呼んでいる...!!");
  EXPECT_EQ(cat.PondSaying(65), "大宇宙よ！！！");
}

TEST_F(FilledCatalogues, lookupsOutsideEveryTableReadEmpty) {
  const std::int64_t outside[] = {-1, 512, 601, std::numeric_limits<std::int32_t>::min(),
                                  std::numeric_limits<std::int64_t>::max()};
  for (std::int64_t i : outside) {
    EXPECT_TRUE(cat.Species(i).Name.empty()) << i;
    EXPECT_EQ(cat.Species(i).BaseValue, 0) << i;
    EXPECT_TRUE(cat.ReelName(i).empty()) << i;
    EXPECT_TRUE(cat.GunName(i).empty()) << i;
    EXPECT_TRUE(cat.LineName(i).empty()) << i;
    EXPECT_TRUE(cat.PondSaying(i).empty()) << i;
    EXPECT_TRUE(cat.RivalName(i).empty()) << i;
  }
  EXPECT_EQ(cat.Species(69).Name, "ザリガニ");
}

TEST(KanaSyllables, areOneHundredEightyFourCp932BytesInNinetyTwoPairs) {
  const Text& all = KanaSyllables();
  ASSERT_EQ(all.size(), 184u);
  EXPECT_EQ(KanaSyllable(0), "ア");
  EXPECT_EQ(KanaSyllable(0), "\x83\x41");
  EXPECT_EQ(KanaSyllable(14), "ソ");  // trail byte 0x5C stays part of the syllable
  EXPECT_EQ(KanaSyllable(65), "ポ");
  EXPECT_EQ(KanaSyllable(66), "ﾁｬ");
  EXPECT_EQ(KanaSyllable(66), "\xC1\xAC");
  EXPECT_EQ(KanaSyllable(91), "ﾐｰ");
  Text joined;
  for (int k = 0; k < 92; ++k) joined += KanaSyllable(k);
  EXPECT_EQ(joined, all);
}

TEST(KanaSyllables, pastTheEndOrBeforeTheStartAreEmpty) {
  for (std::int64_t k : std::initializer_list<std::int64_t>{92, 95, -1, std::numeric_limits<std::int64_t>::max()})
    EXPECT_TRUE(KanaSyllable(k).empty()) << k;
}

TEST(TimeClassOfHour, splitsTheDayAtFiveEightSeventeenAndTwenty) {
  const std::map<std::int32_t, int> expected = {{-1, 0}, {0, 0},  {4, 0},  {5, 1},  {7, 1},  {8, 2},
                                                {16, 2}, {17, 3}, {19, 3}, {20, 0}, {23, 0}, {24, 0}};
  for (const auto& [hour, timeClass] : expected) EXPECT_EQ(TimeClassOfHour(hour), timeClass) << hour;
}

} // namespace
} // namespace ikea
