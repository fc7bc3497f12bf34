#pragma once
// The game's pictures: the title animation, the pond by time of day, the
// window background and the fish tank. Each frame set loops: frame 5 leads
// smoothly back into frame 0.
#include <QImage>

namespace ikea::assets {

constexpr int kFrameCount = 6;

constexpr int kTitleWidth = 409;
constexpr int kTitleHeight = 277;
constexpr int kPondWidth = 300;
constexpr int kPondHeight = 200;
constexpr int kTankWidth = 76;
constexpr int kTankHeight = 73;

enum class PondLight { Day, Twilight, Night };

// All need a QGuiApplication (fonts). `frame` is 0..5; frame 6 is frame 0
// again.
QImage DrawTitleFrame(int frame);
QImage DrawPondFrame(PondLight light, int frame);
QImage DrawBackground();
QImage DrawTank(bool withFish);

} // namespace ikea::assets
