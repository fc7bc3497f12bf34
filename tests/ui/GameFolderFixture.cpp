#include "GameFolderFixture.h"

#include <fstream>

#include "../toolkit/PictureFileWriters.h"
#include "base/Cp932.h"
#include "game/SaveFile.h"
#include "game/StartChoices.h"

namespace ikea::test {
namespace {

QImage Flat(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

}  // namespace

QRgb TitleColour(int k) { return qRgb(40 * k, 255 - 40 * k, 16); }

Text Sjis(const std::string& utf8) { return *Utf8ToCp932(utf8); }

GameFolderTest::GameFolderTest() : folder_(dir_.path().toStdString()) {
  std::filesystem::create_directories(folder_ / "cg");
  std::filesystem::create_directories(folder_ / "dat");
  WriteText("dat/my.dat", SaveFileText(NewGameState()));
  std::string names;
  for (int i = 0; i < 255; ++i) names += "rival" + std::to_string(i) + "\r\n";
  WriteText("dat/name.dat", names);
  WriteFile("cg/背景.bmp", EncodeBmp(Flat(4, 4, qRgb(1, 2, 3)), 24, false));
  WriteFile("cg/suisou1.bmp", EncodeBmp(Flat(76, 73, qRgb(0, 0, 90)), 24, false));
  WriteFile("cg/suisou2.bmp", EncodeBmp(Flat(76, 73, qRgb(0, 90, 0)), 24, false));
  for (int k = 1; k <= 6; ++k) {
    WriteFile("cg/" + std::to_string(k) + ".jpg", EncodeJpeg(Flat(409, 277, TitleColour(k))));
    for (const char* time : {"h", "y", "n"})
      WriteFile("cg/" + std::string(time) + std::to_string(k) + ".jpg", EncodeJpeg(Flat(300, 200, qRgb(0, 60, 20 * k))));
  }
}

void GameFolderTest::WriteFile(const std::string& utf8Relative, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(folder_ / utf8Relative, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void GameFolderTest::WriteText(const std::string& utf8Relative, const std::string& bytes) {
  WriteFile(utf8Relative, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

TForm1& GameFolderTest::Open() {
  form = std::make_unique<TForm1>(FormParts{
      .rnd = random,
      .clock = clock,
      .sound = sound,
      .dialogs = dialogs,
      .folder = folder_,
      .assets = {},
      .seedRandom = {},
      .loadCueWaves = loadCueWaves,
      .releaseCueWaves = [this] { ++cueWaveReleases; },
  });
  // The real timers stay out of the way: tests drive the handlers.
  form->Timer1().SetEnabled(false);
  form->Timer3().SetEnabled(false);
  return *form;
}

}  // namespace ikea::test
