// Draws the game's pictures and writes its starting data files.
//
//   ikeasobi_pictures GAME_DIR ICON_ROOT   pictures, icons and dat/name.dat
//   ikeasobi_pictures --race-course DIR    the window's race course picture
//   ikeasobi_pictures --first-save GAME_DIR   dat/my.dat, only when missing
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tools/assetgen/pictures/GameFiles.h"

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string(argv[1]) == "--first-save") {
      // No drawing here, so no Qt: this step runs on every build.
      ikea::assets::WriteFirstSaveIfMissing(argv[2]);
      return 0;
    }
    const bool raceCourse = argc == 3 && std::string(argv[1]) == "--race-course";
    if (argc != 3) {
      std::fprintf(stderr, "usage: %s GAME_DIR ICON_ROOT | --first-save GAME_DIR | --race-course DIR\n",
                   argv[0]);
      return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    if (raceCourse) {
      ikea::assets::WriteRaceCourse(argv[2]);
      return 0;
    }
    ikea::assets::WritePictures(argv[1], argv[2]);
    ikea::assets::WriteRivalNames(argv[1]);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", argv[0], e.what());
    return 1;
  }
}
