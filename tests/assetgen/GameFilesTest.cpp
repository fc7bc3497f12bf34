// The files the game folder starts with: rival names, the first save file,
// and a full run of the generator with the picture files it leaves behind.
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "base/Cp932.h"
#include "tools/assetgen/pictures/GameFiles.h"

namespace fs = std::filesystem;
using namespace ikea::assets;

namespace {

// Splits text whose every line ends with CR LF; fails the test on a bare CR
// or LF or on a missing final CR LF.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "last line has no CR LF";
      break;
    }
    const std::string line = text.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "stray line break in line " << lines.size() + 1;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

fs::path FreshFolder() {
  std::string pattern = (fs::path(testing::TempDir()) / "assetgen-XXXXXX").string();
  if (!mkdtemp(pattern.data())) ADD_FAILURE() << "no temporary folder";
  return pattern;
}

std::string Quoted(const fs::path& path) {
  std::string quoted(1, '\'');
  quoted.append(path.string());
  quoted.push_back('\'');
  return quoted;
}

int RunGenerator(const std::string& arguments) {
  const std::string command = std::string("QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 '") +
                              IKEASOBI_PICTURES_EXE + "' " + arguments;
  return std::system(command.c_str());
}

QSize JpegSize(const fs::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return {};
  jpeg_decompress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  const QSize size(static_cast<int>(cinfo.image_width), static_cast<int>(cinfo.image_height));
  const bool colour = cinfo.num_components == 3;
  jpeg_destroy_decompress(&cinfo);
  std::fclose(file);
  return colour ? size : QSize();
}

struct BmpHeader {
  int width = 0, height = 0, bits = 0;
};

BmpHeader ReadBmpHeader(const fs::path& path) {
  const std::string bytes = ReadFile(path);
  if (bytes.size() < 54 || bytes.compare(0, 2, "BM") != 0) return {};
  const auto le = [&](std::size_t at, int n) {
    int v = 0;
    for (int i = n - 1; i >= 0; --i) v = v * 256 + static_cast<unsigned char>(bytes[at + i]);
    return v;
  };
  return {le(18, 4), le(22, 4), le(28, 2)};
}

const std::string kSavedByPlayer = "the player's own save\r\n";

} // namespace

TEST(RivalNamesFile, Holds255DistinctNamesEachEndingCrLf) {
  const std::vector<std::string> lines = CrLfLines(RivalNamesFileText());
  ASSERT_EQ(lines.size(), 255u);
  const std::set<std::string> distinct(lines.begin(), lines.end());
  EXPECT_EQ(distinct.size(), 255u);
  EXPECT_EQ(distinct.count(""), 0u);
}

TEST(RivalNamesFile, IsCp932ThatFitsARaceLane) {
  for (const std::string& line : CrLfLines(RivalNamesFileText())) {
    const std::string utf8 = ikea::Cp932ToUtf8(line);
    EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << "not cp932: " << utf8;
    EXPECT_EQ(ikea::Utf8ToCp932(utf8), line) << utf8;
    EXPECT_LE(line.size(), 16u) << utf8 << " is longer than eight full-width characters";
  }
}

TEST(FirstSaveFile, Has7693CrLfLinesWithTheNewGameValuesInTheirPlaces) {
  const std::vector<std::string> lines = CrLfLines(NewGameSaveText());
  ASSERT_EQ(lines.size(), 7693u);
  const auto line = [&](int number) { return lines[number - 1]; };
  EXPECT_EQ(line(1025), "20");   // bullets
  EXPECT_EQ(line(1027), "100");  // money
  EXPECT_EQ(line(4106), "280");  // line strength
  EXPECT_EQ(line(7693), "8");    // hour
  for (int n = 1028; n <= 1539; ++n) EXPECT_EQ(line(n), "") << "tank name, line " << n;
  for (int n = 7180; n <= 7691; ++n) EXPECT_EQ(line(n), "") << "fight time, line " << n;
  // Everything else, tanks and counters alike, starts at zero.
  for (int n = 1; n <= 7693; ++n) {
    const bool special = n == 1025 || n == 1027 || n == 4106 || n == 7693 || (n >= 1028 && n <= 1539) ||
                         (n >= 7180 && n <= 7691);
    if (!special) {
      EXPECT_EQ(line(n), "0") << "line " << n;
    }
  }
}

TEST(FirstSaveFile, IsWrittenIntoAFolderThatHasNoneYet) {
  const fs::path game = FreshFolder();
  EXPECT_TRUE(WriteFirstSaveIfMissing(game));
  EXPECT_EQ(ReadFile(game / "dat" / "my.dat"), NewGameSaveText());
  fs::remove_all(game);
}

TEST(FirstSaveFile, NeverReplacesThePlayersSave) {
  const fs::path game = FreshFolder();
  fs::create_directories(game / "dat");
  std::ofstream(game / "dat" / "my.dat", std::ios::binary) << kSavedByPlayer;

  EXPECT_FALSE(WriteFirstSaveIfMissing(game));
  EXPECT_EQ(RunGenerator("--first-save " + Quoted(game)), 0);
  EXPECT_EQ(ReadFile(game / "dat" / "my.dat"), kSavedByPlayer);
  fs::remove_all(game);
}

TEST(Generator, FillsTheGameFolderWithEveryPictureAtItsSizeAndTheNames) {
  const fs::path game = FreshFolder();
  const fs::path icons = game / "icons";
  fs::create_directories(game / "dat");
  std::ofstream(game / "dat" / "my.dat", std::ios::binary) << kSavedByPlayer;

  ASSERT_EQ(RunGenerator(Quoted(game) + " " + Quoted(icons)), 0);

  for (const char* set : {"", "h", "y", "n"}) {
    for (int k = 1; k <= 6; ++k) {
      const fs::path jpeg = game / "cg" / (set + std::to_string(k) + ".jpg");
      EXPECT_EQ(JpegSize(jpeg), *set ? QSize(300, 200) : QSize(409, 277)) << jpeg;
    }
  }
  const BmpHeader background = ReadBmpHeader(game / "cg" / fs::u8path("背景.bmp"));
  EXPECT_EQ(background.bits, 24);
  EXPECT_GT(background.width, 0);
  EXPECT_GT(background.height, 0);
  for (const char* tank : {"suisou1.bmp", "suisou2.bmp"}) {
    const BmpHeader header = ReadBmpHeader(game / "cg" / tank);
    EXPECT_EQ(header.width, 76) << tank;
    EXPECT_EQ(header.height, 73) << tank;
    EXPECT_EQ(header.bits, 24) << tank;
  }
  for (int size : kIconSizes) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    const QImage icon(QString::fromStdString((icons / "hicolor" / name / "apps" / kIconFileName).string()));
    EXPECT_EQ(icon.size(), QSize(size, size)) << name;
  }
  EXPECT_EQ(ReadFile(game / "dat" / "name.dat"), RivalNamesFileText());
  EXPECT_EQ(ReadFile(game / "dat" / "my.dat"), kSavedByPlayer) << "drawing the pictures touched the save";
  fs::remove_all(game);
}
