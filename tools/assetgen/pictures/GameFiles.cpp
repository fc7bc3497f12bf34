#include "tools/assetgen/pictures/GameFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

#include "base/Cp932.h"
#include "game/SaveFile.h"
#include "game/StartChoices.h"
#include "tools/assetgen/pictures/ImageFiles.h"
#include "tools/assetgen/pictures/Mascot.h"
#include "tools/assetgen/pictures/RaceTrack.h"
#include "tools/assetgen/pictures/RivalNames.h"
#include "tools/assetgen/pictures/Scenery.h"

namespace fs = std::filesystem;

namespace ikea::assets {
namespace {

// Pond frame sets by their file letter: h by day, y at dawn and dusk, n by night.
struct PondSet {
  const char* letter;
  PondLight light;
};
constexpr PondSet kPondSets[] = {{"h", PondLight::Day}, {"y", PondLight::Twilight}, {"n", PondLight::Night}};

const char* const kBackgroundName = "背景.bmp";

// Longest rival name in bytes: eight full-width characters fit a race lane.
constexpr std::size_t kMaxNameBytes = 16;

void AppendLine(std::string& out, const std::string& line) {
  out += line;
  out += "\r\n";
}

void WriteWhole(int fd, const std::string& text, const fs::path& path) {
  const char* p = text.data();
  std::size_t left = text.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::system_error(errno, std::generic_category(), "cannot write " + path.string());
    p += n;
    left -= static_cast<std::size_t>(n);
  }
}

} // namespace

std::vector<fs::path> PictureFiles() {
  std::vector<fs::path> files;
  for (int k = 1; k <= kFrameCount; ++k) files.push_back(fs::path("cg") / (std::to_string(k) + ".jpg"));
  for (const PondSet& set : kPondSets) {
    for (int k = 1; k <= kFrameCount; ++k) files.push_back(fs::path("cg") / (set.letter + std::to_string(k) + ".jpg"));
  }
  files.push_back(fs::path("cg") / fs::u8path(kBackgroundName));
  files.push_back(fs::path("cg") / "suisou1.bmp");
  files.push_back(fs::path("cg") / "suisou2.bmp");
  return files;
}

void WriteRaceCourse(const fs::path& layoutDir) {
  fs::create_directories(layoutDir);
  WritePng(artwork::DrawRaceTrack(), layoutDir / "race.png");
}

void WritePictures(const fs::path& gameDir, const fs::path& iconRoot) {
  const fs::path cg = gameDir / "cg";
  fs::create_directories(cg);
  for (int k = 0; k < kFrameCount; ++k) {
    WriteJpeg(DrawTitleFrame(k), cg / (std::to_string(k + 1) + ".jpg"));
    for (const PondSet& set : kPondSets) {
      WriteJpeg(DrawPondFrame(set.light, k), cg / (set.letter + std::to_string(k + 1) + ".jpg"));
    }
  }
  WriteBmp24(DrawBackground(), cg / fs::u8path(kBackgroundName));
  WriteBmp24(DrawTank(false), cg / "suisou1.bmp");
  WriteBmp24(DrawTank(true), cg / "suisou2.bmp");

  for (int size : kIconSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const fs::path dir = iconRoot / "hicolor" / name / "apps";
    fs::create_directories(dir);
    WritePng(artwork::DrawMascotIcon(size), dir / kIconFileName);
  }
}

std::string RivalNamesFileText() {
  std::string out;
  for (const char* name : RivalNamesUtf8()) {
    const std::optional<Text> cp932 = Utf8ToCp932(name);
    if (!cp932 || cp932->empty() || cp932->size() > kMaxNameBytes) {
      throw std::runtime_error(std::string("rival name does not fit a lane: ") + name);
    }
    AppendLine(out, *cp932);
  }
  return out;
}

void WriteRivalNames(const fs::path& gameDir) {
  const fs::path path = gameDir / "dat" / "name.dat";
  fs::create_directories(path.parent_path());
  const std::string text = RivalNamesFileText();
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw std::system_error(errno, std::generic_category(), "cannot create " + path.string());
  try {
    WriteWhole(fd, text, path);
  } catch (...) {
    ::close(fd);
    throw;
  }
  ::close(fd);
}

std::string NewGameSaveText() { return SaveFileText(NewGameState()); }

bool WriteFirstSaveIfMissing(const fs::path& gameDir) {
  const fs::path path = gameDir / "dat" / "my.dat";
  fs::create_directories(path.parent_path());
  // O_EXCL: an existing save, even one that appears meanwhile, is left alone.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (errno == EEXIST) return false;
    throw std::system_error(errno, std::generic_category(), "cannot create " + path.string());
  }
  try {
    WriteWhole(fd, NewGameSaveText(), path);
  } catch (...) {
    ::close(fd);
    fs::remove(path);  // a half-written save would load as a broken game
    throw;
  }
  ::close(fd);
  return true;
}

} // namespace ikea::assets
