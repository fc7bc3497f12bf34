#pragma once
// Landing a creature: the species of the hour, the lowest empty tank slot,
// the catch message and the hour's advance.
#include <cstdint>
#include <optional>

namespace ikea {

struct GameState;
struct GameContext;
struct Catalogues;
class RandomSource;

// A slot holds nothing when its kind is below 1.
bool IsEmptySlot(const GameState& s, int slot);

// Lowest empty slot among 0..511, if any.
std::optional<int> LowestEmptySlot(const GameState& s);

// Whether the catalogue has a named species of the time class; the draw
// below would never end without one.
bool HasSpeciesOfClass(const Catalogues& cat, int timeClass);

// Draws Random(512) until it names a species of the time class.
std::int32_t DrawSpecies(const Catalogues& cat, RandomSource& rnd, int timeClass);

// The ending with the line out below 0; the line is already reset.
void LandCatch(GameContext& ctx);

} // namespace ikea
