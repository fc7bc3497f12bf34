#pragma once
// The fish tank panel `fish_box`: opening and closing, the list, the card,
// naming, selling and the back button.
#include "base/Text.h"

namespace ikea {

struct GameContext;

void Button1Click(GameContext& ctx);           // "水槽": open or close the tank
void FillTankList(GameContext& ctx);           // rebuild the 16 list lines, nothing selected
void ShowFishCard(GameContext& ctx);           // card of the selected line
void fish_listMouseDown(GameContext& ctx);     // press and release over the list
void name_lChange(GameContext& ctx, const Text& text);  // the name edit's whole text
void Button7Click(GameContext& ctx);           // sell
void Button21Click(GameContext& ctx);          // back: closes the class chooser, else the tank

} // namespace ikea
