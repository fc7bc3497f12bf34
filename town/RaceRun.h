#pragma once
// The race itself: start, one step per game step, cheering, finish and prize.
namespace ikea {

struct GameContext;

void race_start_bClick(GameContext& ctx);  // "START!!"
void StepRace(GameContext& ctx);           // one step; the tick runs it while the race runs
void Button12Click(GameContext& ctx);      // "応援:要STR": push the player's runner
void Button16Click(GameContext& ctx);      // "声援:要:INT": slow the rivals
void Button11Click(GameContext& ctx);      // "戻る": leave the race panel

} // namespace ikea
