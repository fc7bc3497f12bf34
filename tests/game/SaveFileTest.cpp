#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

#include "game/Catalogues.h"
#include "base/GameError.h"
#include "game/GameState.h"
#include "game/SaveFile.h"
#include "game/SaveLayout.h"
#include "tests/game/TempGameFolder.h"

namespace ikea {
namespace {

using test::TempGameFolder;

constexpr int kLines = 7693;
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

bool IsTextLine(int line) { return (line >= 1028 && line <= 1539) || (line >= 7180 && line <= 7691); }

Text JoinLines(const std::vector<Text>& lines, const Text& lineEnd = "\r\n") {
  Text out;
  for (const Text& line : lines) out += line + lineEnd;
  return out;
}

std::vector<Text> SplitCrLf(const Text& bytes) {
  std::vector<Text> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != Text::npos; start = end + 2)
    lines.push_back(bytes.substr(start, end - start));
  EXPECT_EQ(start, bytes.size()) << "bytes after the last CR LF";
  return lines;
}

// A file made by hand from the table of lines: integer lines hold their own
// line number shifted negative, text lines a cp932 name or nothing.
std::vector<Text> HandMadeLines() {
  std::vector<Text> lines;
  for (int line = 1; line <= kLines; ++line) {
    if (IsTextLine(line))
      lines.push_back(line % 3 == 0 ? Text() : "ソの名前" + n(line));
    else
      lines.push_back(n(line - 4000));
  }
  return lines;
}

// Every slot and counter different, with the extremes of int32.
tmy VariedRecord() {
  tmy s;
  auto fill = [](TankArray<std::int32_t>& a, std::int32_t base) {
    for (int i = 0; i < kTankSlots; ++i) a[i] = base * 1000 + i * (i % 2 ? -1 : 1);
  };
  fill(s.TankKind, 1); fill(s.TankSize, 2); fill(s.TankSpeed, 3); fill(s.TankStrength, 4);
  fill(s.TankGuts, 5); fill(s.TankWits, 6); fill(s.TankCups1, 7); fill(s.TankCups2, 8);
  fill(s.TankCups3, 9); fill(s.TankCups4, 10); fill(s.TankCups5, 11); fill(s.TankCups6, 12);
  fill(s.TankHunger, 13);
  s.TankKind[0] = kMin;
  s.TankKind[511] = kMax;
  for (int i = 0; i < kTankSlots; i += 2) s.TankName[i] = "ﾎﾟﾁ" + n(i);  // odd slots stay unnamed
  for (int i = 0; i < kTankSlots; i += 3) s.TankTime[i] = "0:0" + n(i % 10) + ":12";
  s.Hour = 23; s.ReelLevel = 6; s.Beans = -3; s.LineStrength = 285; s.Tries = kMax;
  s.GunLevel = 15; s.Sardines = 7; s.Shrimp = 8; s.Milk = 9; s.JisuDama = 10;
  s.Bullets = kMin; s.LineWear = 12; s.Money = -50;
  return s;
}

Text LoadError(const TempGameFolder& folder, GameState& s, Catalogues& cat) {
  try {
    LoadGameData(folder.root(), s, cat);
  } catch (const GameError& e) {
    return e.text();
  }
  return "(no error)";
}

void WriteRivals(const TempGameFolder& folder, int count) {
  std::vector<Text> names;
  for (int i = 0; i < count; ++i) names.push_back("ﾗｲﾊﾞﾙ" + n(i));
  folder.Write(folder.rivalFile(), JoinLines(names));
}

// ---- the file's layout ----

TEST(SaveFileText, isExactly7693CrLfLinesInTheItemOrder) {
  const tmy s = VariedRecord();
  const std::vector<Text> lines = SplitCrLf(SaveFileText(s));
  ASSERT_EQ(lines.size(), 7693u);
  for (const Text& line : lines) ASSERT_EQ(line.find_first_of("\r\n"), Text::npos);

  struct Expected { int line; Text text; };
  const Expected expected[] = {
      {1, n(kMin)}, {2, "999"}, {512, n(kMax)},                // TankKind
      {513, "2000"}, {1024, n(2000 - 511)},                    // TankSize
      {1025, n(kMin)}, {1026, "12"}, {1027, "-50"},            // Bullets, LineWear, Money
      {1028, "ﾎﾟﾁ0"}, {1029, ""}, {1539, ""},                   // TankName
      {1540, "3000"}, {2052, "4000"},                           // TankSpeed, TankStrength
      {2564, "8"}, {2565, "9"}, {2566, "10"},                   // Shrimp, Milk, JisuDama
      {2567, "5000"}, {3079, "6000"}, {3591, "7000"},           // TankGuts, TankWits, TankCups1
      {4103, "7"}, {4104, "15"}, {4105, n(kMax)}, {4106, "285"},  // Sardines .. LineStrength
      {4107, "13000"}, {4619, "-3"},                            // TankHunger, Beans
      {4620, "8000"}, {5132, "9000"}, {5644, "10000"}, {6156, "11000"}, {6668, "12000"},  // cups 2..6
      {7180, "0:00:12"}, {7181, ""}, {7183, "0:03:12"},         // TankTime
      {7692, "6"}, {7693, "23"},                                // ReelLevel, Hour
  };
  for (const Expected& e : expected) EXPECT_EQ(lines[e.line - 1], e.text) << "line " << e.line;
}

TEST(SaveFileText, nameHoldingALineBreakCannotShiftLaterItems) {
  tmy s;
  s.TankName[0] = "ab\r\ncd\ne";
  s.Hour = 9;
  const std::vector<Text> lines = SplitCrLf(SaveFileText(s));
  ASSERT_EQ(lines.size(), 7693u);
  EXPECT_EQ(lines[1027], "abcde");
  EXPECT_EQ(lines[7692], "9");
}

// ---- reading and writing files ----

// Scripts set a field by its name: each name must lead to the line the
// writer puts that field on.
TEST(SaveLinesOf, namesTheLinesTheWriterUses) {
  const struct { const char* name; SavedScalar field; } scalars[] = {
      {"Bullets", &tmy::Bullets},   {"LineWear", &tmy::LineWear},   {"Money", &tmy::Money},
      {"Shrimp", &tmy::Shrimp},     {"Milk", &tmy::Milk},           {"JisuDama", &tmy::JisuDama},
      {"Sardines", &tmy::Sardines}, {"GunLevel", &tmy::GunLevel},   {"Tries", &tmy::Tries},
      {"LineStrength", &tmy::LineStrength}, {"Beans", &tmy::Beans}, {"ReelLevel", &tmy::ReelLevel},
      {"Hour", &tmy::Hour},
  };
  tmy record{};
  for (std::size_t i = 0; i < std::size(scalars); ++i) record.*scalars[i].field = 9000 + static_cast<int>(i);
  record.TankName[3] = "name";
  const std::vector<Text> lines = SplitCrLf(SaveFileText(record));
  for (std::size_t i = 0; i < std::size(scalars); ++i) {
    const SaveLines at = SaveLinesOf(scalars[i].name);
    ASSERT_EQ(at.lines, 1) << scalars[i].name;
    EXPECT_EQ(lines[at.first - 1], std::to_string(9000 + i)) << scalars[i].name;
  }
  EXPECT_EQ(lines[SaveLinesOf("TankName").first - 1 + 3], "name");
  EXPECT_EQ(SaveLinesOf("Hour").first, kSaveFileLines);
  EXPECT_EQ(SaveLinesOf("NoSuchField").lines, 0);
}

TEST(SaveGameData, roundTripGivesTheSameRecordSlotForSlot) {
  TempGameFolder folder;
  WriteRivals(folder, 255);
  GameState saved;
  static_cast<tmy&>(saved) = VariedRecord();
  SaveGameData(folder.root(), saved);

  GameState loaded;
  Catalogues cat;
  LoadGameData(folder.root(), loaded, cat);
  EXPECT_TRUE(static_cast<const tmy&>(loaded) == static_cast<const tmy&>(saved));
  EXPECT_EQ(loaded.TankName[1], "");
  EXPECT_EQ(loaded.TankKind[0], kMin);
  EXPECT_EQ(loaded.Money, -50);
  EXPECT_EQ(folder.DatNames(), (std::vector<std::string>{"my.dat", "name.dat"}));
}

TEST(LoadGameData, handMadeFileLoadsAndSavesBackByteForByte) {
  TempGameFolder folder;
  WriteRivals(folder, 255);
  const Text bytes = JoinLines(HandMadeLines());
  folder.Write(folder.saveFile(), bytes);

  GameState s;
  Catalogues cat;
  LoadGameData(folder.root(), s, cat);
  EXPECT_EQ(s.TankKind[0], 1 - 4000);
  EXPECT_EQ(s.Money, 1027 - 4000);
  EXPECT_EQ(s.TankName[0], "ソの名前1028");
  EXPECT_EQ(s.TankName[1], "");  // line 1029
  EXPECT_EQ(s.TankTime[511], "ソの名前7691");
  EXPECT_EQ(s.Hour, 7693 - 4000);

  SaveGameData(folder.root(), s);
  EXPECT_EQ(folder.Read(folder.saveFile()), bytes);
}

TEST(LoadGameData, acceptsLineFeedOnlyFilesAndWritesThemBackWithCrLf) {
  TempGameFolder folder;
  std::vector<Text> rivals = {"ﾀﾛｳ", "", "ｼﾞﾛｳ"};
  folder.Write(folder.rivalFile(), JoinLines(rivals, "\n"));
  folder.Write(folder.saveFile(), JoinLines(HandMadeLines(), "\n"));

  GameState s;
  Catalogues cat;
  LoadGameData(folder.root(), s, cat);
  EXPECT_EQ(s.TankName[0], "ソの名前1028");
  EXPECT_EQ(s.Hour, 7693 - 4000);
  EXPECT_EQ(cat.RivalNames[0], "ﾀﾛｳ");
  EXPECT_EQ(cat.RivalNames[1], "");
  EXPECT_EQ(cat.RivalNames[2], "ｼﾞﾛｳ");
  EXPECT_EQ(cat.RivalNames[254], "");

  SaveGameData(folder.root(), s);
  EXPECT_EQ(folder.Read(folder.saveFile()), JoinLines(HandMadeLines()));
}

TEST(LoadGameData, readsEveryRivalNameFromItsLine) {
  TempGameFolder folder;
  folder.Write(folder.saveFile(), JoinLines(HandMadeLines()));
  WriteRivals(folder, 300);
  GameState s;
  Catalogues cat;
  LoadGameData(folder.root(), s, cat);
  EXPECT_EQ(cat.RivalNames[0], "ﾗｲﾊﾞﾙ0");
  EXPECT_EQ(cat.RivalNames[254], "ﾗｲﾊﾞﾙ254");
}

// ---- shapes of file the reader copes with ----

class LoadedFile : public ::testing::Test {
protected:
  void SetUp() override {
    WriteRivals(folder, 255);
    static_cast<tmy&>(s) = VariedRecord();  // stale values that loading must replace
  }
  void LoadLines(const std::vector<Text>& lines) {
    folder.Write(folder.saveFile(), JoinLines(lines));
    LoadGameData(folder.root(), s, cat);
  }
  TempGameFolder folder;
  GameState s;
  Catalogues cat;
};

TEST_F(LoadedFile, shorterThanTheTableReadsMissingIntegersAsZeroAndMissingTextsEmpty) {
  std::vector<Text> lines = HandMadeLines();
  lines.resize(1030);
  LoadLines(lines);
  EXPECT_EQ(s.Money, 1027 - 4000);
  EXPECT_EQ(s.TankName[0], "ソの名前1028");
  EXPECT_EQ(s.TankName[3], "");
  EXPECT_EQ(s.TankSpeed[0], 0);
  EXPECT_EQ(s.TankTime[0], "");
  EXPECT_EQ(s.Hour, 0);
  EXPECT_EQ(s.Tries, 0);
}

TEST_F(LoadedFile, emptyFileGivesAnAllZeroRecord) {
  LoadLines({});
  EXPECT_TRUE(static_cast<const tmy&>(s) == tmy{});
}

TEST_F(LoadedFile, longerThanTheTableIgnoresTheExtraLines) {
  std::vector<Text> lines = HandMadeLines();
  lines.push_back("not a number");
  lines.push_back("99");
  LoadLines(lines);
  EXPECT_EQ(s.Hour, 7693 - 4000);
}

TEST_F(LoadedFile, blankLineWhereAnIntegerIsExpectedMakesEveryLaterItemReadOneLineLate) {
  std::vector<Text> lines = HandMadeLines();
  lines[1027 - 1] = "";  // Money's line
  for (int line = 1; line <= kLines; ++line)
    if (IsTextLine(line)) lines[line - 1] = n(line);  // texts that also read as numbers
  LoadLines(lines);
  EXPECT_EQ(s.LineWear, 1026 - 4000);
  EXPECT_EQ(s.Money, 1028);        // the first name's line
  EXPECT_EQ(s.TankName[0], "1029");
  EXPECT_EQ(s.TankName[511], n(1540 - 4000));  // TankSpeed[0]'s line
  EXPECT_EQ(s.ReelLevel, 7693 - 4000);           // Hour's line
  EXPECT_EQ(s.Hour, 0);                          // past the end
}

TEST_F(LoadedFile, integerLinesMayCarryBlanksSignsAndTrailingWords) {
  std::vector<Text> lines = HandMadeLines();
  lines[1025 - 1] = "  \t42   anything after it";
  lines[1026 - 1] = "+7";
  lines[1027 - 1] = n(kMin);
  lines[4105 - 1] = n(kMax);
  lines[4104 - 1] = std::string(32, '0') + "5";  // only 32 characters make the token
  LoadLines(lines);
  EXPECT_EQ(s.Bullets, 42);
  EXPECT_EQ(s.LineWear, 7);
  EXPECT_EQ(s.Money, kMin);
  EXPECT_EQ(s.Tries, kMax);
  EXPECT_EQ(s.GunLevel, 0);
  EXPECT_EQ(s.TankName[0], "ソの名前1028");
}

// ---- failures while loading ----

TEST(LoadGameData, missingSaveFileIsReportedAndTheCataloguesAreFilledAllTheSame) {
  TempGameFolder folder;
  WriteRivals(folder, 255);
  GameState s;
  Catalogues cat;
  EXPECT_EQ(LoadError(folder, s, cat), "ﾌｧｲﾙが見つかりません");
  EXPECT_EQ(cat.Species(1).Name, "サメ");
  EXPECT_EQ(cat.LineName(280), "弱い糸");
  EXPECT_TRUE(cat.RivalNames[0].empty());  // name.dat is not reached
}

TEST(LoadGameData, missingRivalFileIsReportedAfterTheSaveFileWasRead) {
  TempGameFolder folder;
  folder.Write(folder.saveFile(), JoinLines(HandMadeLines()));
  GameState s;
  Catalogues cat;
  EXPECT_EQ(LoadError(folder, s, cat), "ﾌｧｲﾙが見つかりません");
  EXPECT_EQ(s.Hour, 7693 - 4000);
  EXPECT_EQ(cat.Species(69).Name, "ザリガニ");
}

TEST(LoadGameData, missingDatFolderReadsAsAnInvalidFileName) {
  TempGameFolder folder;
  std::filesystem::remove_all(folder.dat());
  GameState s;
  Catalogues cat;
  EXPECT_EQ(LoadError(folder, s, cat), "不正なﾌｧｲﾙ名です");
  EXPECT_EQ(cat.PondSaying(0), "池がオレを呼んでいる...!!");
}

TEST(LoadGameData, nonIntegerStopsTheLoadKeepingTheItemsReadBeforeIt) {
  TempGameFolder folder;
  WriteRivals(folder, 255);
  std::vector<Text> lines = HandMadeLines();
  lines[1027 - 1] = "12x";
  folder.Write(folder.saveFile(), JoinLines(lines));
  GameState s;
  static_cast<tmy&>(s) = VariedRecord();
  Catalogues cat;
  EXPECT_EQ(LoadError(folder, s, cat), "入力値が数値ではありません");
  EXPECT_EQ(s.TankKind[511], 512 - 4000);
  EXPECT_EQ(s.LineWear, 1026 - 4000);
  EXPECT_EQ(s.Money, -50);           // not read: keeps what it held
  EXPECT_EQ(s.TankName[0], "ﾎﾟﾁ0");  // later items untouched
  EXPECT_EQ(cat.Species(1).Name, "サメ");
}

TEST(LoadGameData, valuesBeyondInt32AreNotNumbers) {
  for (const Text& bad : {Text("2147483648"), Text("-2147483649"), Text("99999999999999999999"), Text("+-1"),
                          Text("-"), Text("0x10"), Text("1.5")}) {
    TempGameFolder folder;
    WriteRivals(folder, 255);
    folder.Write(folder.saveFile(), bad + "\r\n");
    GameState s;
    Catalogues cat;
    EXPECT_EQ(LoadError(folder, s, cat), "入力値が数値ではありません") << bad;
  }
}

// ---- failures while saving ----

struct SaveFailure {
  const char* call;
  int error;
  const char* text;
};

class FailedSave : public ::testing::TestWithParam<SaveFailure> {
protected:
  void SetUp() override {
    previous = JoinLines(HandMadeLines());
    folder.Write(folder.saveFile(), previous);
    static_cast<tmy&>(s) = VariedRecord();
  }
  Text SaveError(const SaveFileCalls& calls) {
    try {
      SaveGameData(folder.root(), s, calls);
    } catch (const GameError& e) {
      return e.text();
    }
    return "(no error)";
  }
  TempGameFolder folder;
  GameState s;
  Text previous;
};

// Fails the named call with the given error once some bytes are on their way.
SaveFileCalls FailingCalls(const SaveFailure& failure) {
  SaveFileCalls calls = SaveFileCalls::System();
  const Text call = failure.call;
  const int error = failure.error;
  if (call == "open")
    calls.open = [error](const char*, int, mode_t) { errno = error; return -1; };
  if (call == "write") {
    auto written = std::make_shared<std::size_t>(0);
    calls.write = [error, written](int fd, const void* data, std::size_t size) -> ssize_t {
      if (*written >= 20000) { errno = error; return -1; }
      const std::size_t part = std::min<std::size_t>(size, 20000 - *written);
      const ssize_t wrote = ::write(fd, data, part);
      *written += static_cast<std::size_t>(wrote);
      return wrote;
    };
  }
  if (call == "fsync") calls.fsync = [error](int) { errno = error; return -1; };
  if (call == "close") calls.close = [error](int fd) { ::close(fd); errno = error; return -1; };
  if (call == "rename") calls.rename = [error](const char*, const char*) { errno = error; return -1; };
  return calls;
}

TEST_P(FailedSave, isReportedAndLeavesThePreviousSaveByteForByte) {
  EXPECT_EQ(SaveError(FailingCalls(GetParam())), GetParam().text);
  EXPECT_EQ(folder.Read(folder.saveFile()), previous);
  EXPECT_EQ(folder.DatNames(), std::vector<std::string>{"my.dat"});
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, FailedSave,
    ::testing::Values(SaveFailure{"write", ENOSPC, "ﾃﾞｨｽｸがいっぱいです"},
                      SaveFailure{"write", EDQUOT, "ﾃﾞｨｽｸがいっぱいです"},
                      SaveFailure{"write", EIO, "I/O ｴﾗｰ (5)"},
                      SaveFailure{"open", EACCES, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
                      SaveFailure{"open", EROFS, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"},
                      SaveFailure{"open", EMFILE, "I/O ｴﾗｰ (24)"},
                      SaveFailure{"fsync", EIO, "I/O ｴﾗｰ (5)"},
                      SaveFailure{"close", ENOSPC, "ﾃﾞｨｽｸがいっぱいです"},
                      SaveFailure{"rename", EPERM, "ﾌｧｲﾙへのｱｸｾｽが拒否されました"}));

TEST_F(FailedSave, intoAReadOnlyFolderIsRefusedAndKeepsThePreviousSave) {
  SaveFileCalls calls = SaveFileCalls::System();
  if (geteuid() == 0) {
    // root writes through any mode bits; let the folder refuse as it would.
    calls = FailingCalls({"open", EACCES, ""});
  } else {
    std::filesystem::permissions(folder.dat(), std::filesystem::perms::owner_read |
                                                   std::filesystem::perms::owner_exec);
  }
  EXPECT_EQ(SaveError(calls), "ﾌｧｲﾙへのｱｸｾｽが拒否されました");
  EXPECT_EQ(folder.Read(folder.saveFile()), previous);
}

TEST(SaveGameData, withoutADatFolderReportsAnInvalidFileName) {
  TempGameFolder folder;
  std::filesystem::remove_all(folder.dat());
  GameState s;
  try {
    SaveGameData(folder.root(), s);
    ADD_FAILURE() << "saved without a folder";
  } catch (const GameError& e) {
    EXPECT_EQ(e.text(), "不正なﾌｧｲﾙ名です");
  }
  folder.Write(folder.dat(), "a file where the folder should be");
  try {
    SaveGameData(folder.root(), s);
    ADD_FAILURE() << "saved below a regular file";
  } catch (const GameError& e) {
    EXPECT_EQ(e.text(), "不正なﾌｧｲﾙ名です");
  }
}

} // namespace
} // namespace ikea
