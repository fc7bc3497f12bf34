#pragma once
// The tackle shop panel `shop_box`: goods, baits and the three upgrades.
namespace ikea {

struct GameContext;

void Button3Click(GameContext& ctx);   // "釣具店": open or close the shop

void Button4Click(GameContext& ctx);   // 1 bullet
void Button6Click(GameContext& ctx);   // 10 bullets
void Button5Click(GameContext& ctx);   // line repair
void Button18Click(GameContext& ctx);  // 1 sardine
void Button19Click(GameContext& ctx);  // 10 sardines
void Button20Click(GameContext& ctx);  // beans
void Button13Click(GameContext& ctx);  // milk
void Button14Click(GameContext& ctx);  // shrimp
void Button15Click(GameContext& ctx);  // jisu-dama

void gun_bClick(GameContext& ctx);
void line_bClick(GameContext& ctx);
void real_bClick(GameContext& ctx);

} // namespace ikea
