// Test main for the window on screens of several sizes and desktop scales:
// the offscreen platform is given them before the application starts.
#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "TestScreens.h"

int main(int argc, char** argv) {
  QJsonArray screens;
  for (const ikea::test::TestScreen& s : ikea::test::kTestScreens)
    screens.append(QJsonObject{{"name", s.name}, {"x", s.desktop.x()}, {"y", s.desktop.y()},
                               {"width", s.desktop.width()}, {"height", s.desktop.height()}, {"dpr", s.ratio}});
  QTemporaryDir dir;
  QFile config(dir.filePath("screens.json"));
  if (!config.open(QIODevice::WriteOnly)) return 1;
  config.write(QJsonDocument(QJsonObject{{"screens", screens}}).toJson());
  config.close();
  qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
