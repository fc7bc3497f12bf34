#pragma once
// The texts and figures of a fish in the tank: stars, cup list, value, sale
// price, the name limit and the card itself. Pure functions of the state.
#include <cstdint>

#include "base/Text.h"

namespace ikea {

struct tmy;
struct Catalogues;

// Stars are capped: a saved figure can be any integer, and a label of more
// than this many stars shows nothing more to the player.
constexpr std::int32_t kMaxStars = 100;

// "★" repeated `count` times; none for 0 or less, at most kMaxStars.
Text Stars(std::int32_t count);

// The slot's cups, classes 1..6 in order, only those held ("弱CUP(1) 強CUP(1)").
Text CupList(const tmy& t, int slot);

// What the card calls the fish's worth: every cup, twice the size and the
// species' base value.
std::int32_t CardValue(const tmy& t, const Catalogues& cat, int slot, std::int64_t species);

// What a sale pays: only class-1 cups count.
std::int32_t SalePrice(const tmy& t, const Catalogues& cat, int slot, std::int64_t species);

// Index of the last species whose Name equals `name`, or -1.
std::int32_t FindSpeciesByName(const Catalogues& cat, const Text& name);

// Bytes a name may be typed to for a fish of `size` cm: size div 10 + 1, at
// most 16 and at least 1 (a negative saved size would otherwise lift the limit).
int NameLimit(std::int32_t size);

// The card text of slot `slot` shown as species `species`, lines split by "\r".
Text FishCardText(const tmy& t, const Catalogues& cat, int slot, std::int64_t species);

} // namespace ikea
