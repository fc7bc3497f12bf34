#pragma once
// The player's hands: the cast button, a click on the pond (the cast while a
// point is being chosen, a gunshot at any other time) and the reel button.
namespace ikea {

struct GameContext;

// The cast button: needs a sardine and a free slot among the 16 shown.
void sao_bClick(GameContext& ctx);

// Mouse pressed on the pond picture at picture coordinates x, y.
void cgMouseDown(GameContext& ctx, int x, int y);

void maku_bMouseDown(GameContext& ctx);
void maku_bMouseUp(GameContext& ctx);

} // namespace ikea
