#pragma once
// The six runner labels of the race panel and its marks, in pixels.
namespace ikea {

constexpr int PlayerRunner = 1;  // `fish_1`, the player's fish
constexpr int FirstRival = 2;    // `fish_2` .. `fish_6`
constexpr int LastRunner = 6;

constexpr int kStartLeft = 12;
constexpr int kRunInMark = 200;
constexpr int kFinishLine = 372;

} // namespace ikea
