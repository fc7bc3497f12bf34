#pragma once
// From the tank to the start line: the class chooser, the class buttons with
// their checks, fee and question, the rivals and the race card.
#include "base/Text.h"

namespace ikea {

struct GameContext;

void Button10Click(GameContext& ctx);  // "ﾚｰｽ出場": open the class chooser

// Class buttons. Class 4 is Button26 and class 5 is Button25.
void Button22Click(GameContext& ctx);  // class 1
void Button23Click(GameContext& ctx);  // class 2
void Button24Click(GameContext& ctx);  // class 3
void Button26Click(GameContext& ctx);  // class 4
void Button25Click(GameContext& ctx);  // class 5
void Button27Click(GameContext& ctx);  // class 6

// Enter the selected fish into class 1..6 (what the class buttons run).
void EnterRaceClass(GameContext& ctx, int raceClass);

// A rival's name: a name from the rival list, or once in 100 four drawn
// syllables.
Text MakeRivalName(GameContext& ctx);

// Writes the card of the fish in SelectedSlot into `race_l`.
void ShowRaceCard(GameContext& ctx);

} // namespace ikea
