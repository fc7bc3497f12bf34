#pragma once
// The screens the window tests run on, side by side, in desktop pixels:
// the last is a 1920x1080 screen at 150 %.
#include <QRect>

namespace ikea::test {

struct TestScreen {
  const char* name;
  QRect desktop;
  double ratio;  // the desktop's scale
};

inline constexpr TestScreen kTestScreens[] = {
    {"large", QRect(0, 0, 1920, 1080), 1.0},
    {"small", QRect(1920, 0, 1024, 768), 1.0},
    {"scaled", QRect(2944, 0, 1280, 720), 1.5},
};

}  // namespace ikea::test
