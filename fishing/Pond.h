#pragma once
// The pond step: background frame, hooked creature, effects, float, the
// bite and movement rules, and the fight overlay, once per normal tick.
#include <cstdint>
#include <string>

namespace ikea {

struct GameContext;
class Canvas;

// Holder name of the background frame for an hour and tick ("h1".."h6",
// "y1".., "n1"..), or empty for an hour outside 0..24.
std::string PondFrameName(std::int32_t hour, std::int32_t tickCount);

void DrawPond(GameContext& ctx, Canvas& canvas);

} // namespace ikea
