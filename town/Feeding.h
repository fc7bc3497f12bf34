#pragma once
// Feeding the selected fish with one of the four baits: belly refill and the
// chance to raise strength, intelligence, stamina or speed.
namespace ikea {

struct GameContext;

void mame_bClick(GameContext& ctx);  // beans
void milk_bClick(GameContext& ctx);  // milk
void ebi_bClick(GameContext& ctx);   // shrimp
void jis_bClick(GameContext& ctx);   // jisu-dama

} // namespace ikea
