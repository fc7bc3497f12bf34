// Test main for the window's comforts: the offscreen platform gets three
// screens side by side, in desktop pixels: 1920x1080, 1024x768, and a
// 1920x1080 one at 150 %.
#include <QApplication>
#include <QTemporaryFile>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  QTemporaryFile screens;
  if (!screens.open()) return 1;
  screens.write(R"({"screens": [{"name": "large", "x": 0, "y": 0, "width": 1920, "height": 1080},
      {"name": "small", "x": 1920, "y": 0, "width": 1024, "height": 768},
      {"name": "scaled", "x": 2944, "y": 0, "width": 1280, "height": 720, "dpr": 1.5}]})");
  screens.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toLocal8Bit());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
