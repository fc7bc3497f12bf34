#include "game/Catalogues.h"

#include "game/CatalogueTables.h"

namespace ikea {
namespace {

// The shared empty entry every out-of-range lookup reads.
const tfish kNoSpecies{};
const Text kNoText{};

template <typename Table>
const typename Table::value_type& EntryOrEmpty(const Table& table, std::int64_t index,
                                               const typename Table::value_type& empty) {
  if (index < 0 || index >= static_cast<std::int64_t>(table.size())) return empty;
  return table[static_cast<std::size_t>(index)];
}

void FillSpecies(std::array<tfish, 512>& species) {
  std::size_t index = 1;  // entry 0 stays empty so a TankKind of 0 names nothing
  for (const tables::SpeciesRow& row : tables::SpeciesRows()) {
    species[index++] = tfish{row.name,     row.remark,   row.baseValue, row.baseStrength,
                             row.baseWits, row.baseGuts, row.timeClass};
  }
}

template <std::size_t N>
void FillFrom(std::array<Text, N>& table, std::span<const char* const> rows, std::size_t first,
              std::size_t step) {
  std::size_t index = first;
  for (const char* row : rows) {
    table[index] = row;
    index += step;
  }
}

} // namespace

void Catalogues::FillConstants() {
  FillSpecies(SpeciesTable);
  FillFrom(ReelNames, tables::ReelNameRows(), 0, 1);
  FillFrom(GunNames, tables::GunNameRows(), 0, 1);
  FillFrom(LineNames, tables::LineNameRows(), tables::kFirstLineStrength, tables::kLineStrengthStep);
  FillFrom(PondSayings, tables::PondSayingRows(), 0, 1);
}

const tfish& Catalogues::Species(std::int64_t index) const {
  return EntryOrEmpty(SpeciesTable, index, kNoSpecies);
}
const Text& Catalogues::ReelName(std::int64_t level) const { return EntryOrEmpty(ReelNames, level, kNoText); }
const Text& Catalogues::GunName(std::int64_t level) const { return EntryOrEmpty(GunNames, level, kNoText); }
const Text& Catalogues::LineName(std::int64_t strength) const {
  return EntryOrEmpty(LineNames, strength, kNoText);
}
const Text& Catalogues::PondSaying(std::int64_t index) const {
  return EntryOrEmpty(PondSayings, index, kNoText);
}
const Text& Catalogues::RivalName(std::int64_t index) const {
  return EntryOrEmpty(RivalNames, index, kNoText);
}

const Text& KanaSyllables() {
  static const Text syllables =
      "アイウエオカキクケコサシスセソナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲン"
      "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ"
      "ﾁｬｷｬｼｬﾋｬﾋｭﾋｮｷｭｷｮｼｭｼｮﾁｭﾁｮﾐｬﾐｭﾐｮｱｯｲｯﾃｰｸｰﾏｰﾁｰﾉｯﾉｰﾗｰﾅｯﾐｰ";
  return syllables;
}

Text KanaSyllable(std::int64_t k) {
  const Text& all = KanaSyllables();
  if (k < 0 || k >= static_cast<std::int64_t>(all.size() / 2)) return Text();
  return all.substr(static_cast<std::size_t>(2 * k), 2);
}

int TimeClassOfHour(std::int32_t hour) {
  if (hour >= 5 && hour <= 7) return 1;
  if (hour >= 8 && hour <= 16) return 2;
  if (hour >= 17 && hour <= 19) return 3;
  return 0;
}

} // namespace ikea
