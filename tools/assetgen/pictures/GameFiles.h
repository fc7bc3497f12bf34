#pragma once
// Writing the files the game folder ships with: cg/ pictures, the rival
// names, the first save file, and the desktop icons.
#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace ikea::assets {

// Every picture path below the game folder that WritePictures makes.
std::vector<std::filesystem::path> PictureFiles();

constexpr std::array<int, 4> kIconSizes = {48, 64, 128, 256};
// Named after the application id, as the menu entry's Icon= names it.
constexpr const char* kIconFileName = "io.github.ikeasobi.ikeasobi.png";

// cg/ pictures into `gameDir`. Icons go to
// <iconRoot>/hicolor/<n>x<n>/apps/<kIconFileName>.
void WritePictures(const std::filesystem::path& gameDir, const std::filesystem::path& iconRoot);

// <layoutDir>/race.png: the race course, which the program carries with its
// window's layout.
void WriteRaceCourse(const std::filesystem::path& layoutDir);

// dat/name.dat: one cp932 name per line, each line ending CR LF.
std::string RivalNamesFileText();
void WriteRivalNames(const std::filesystem::path& gameDir);

// dat/my.dat of a fresh game. Never replaces an existing file, which is the
// player's save; returns whether it wrote one.
std::string NewGameSaveText();
bool WriteFirstSaveIfMissing(const std::filesystem::path& gameDir);

} // namespace ikea::assets
