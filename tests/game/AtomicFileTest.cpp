#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <unistd.h>

#include "game/AtomicFile.h"
#include "game/FileErrors.h"
#include "tests/game/TempGameFolder.h"

namespace ikea {
namespace {

using test::TempGameFolder;

class ReplaceFile : public ::testing::Test {
protected:
  void SetUp() override { folder.Write(target, "previous"); }
  std::optional<FileReplaceError> Failure(const FileReplaceCalls& calls) {
    try {
      ReplaceFileAtomically(target, "replacement", calls);
    } catch (const FileReplaceError& e) {
      return e;
    }
    return std::nullopt;
  }
  void ExpectUntouched() {
    EXPECT_EQ(folder.Read(target), "previous");
    EXPECT_EQ(folder.DatNames(), std::vector<std::string>{"out.txt"});
  }
  TempGameFolder folder;
  std::filesystem::path target = folder.dat() / "out.txt";
};

// A write() that takes nothing means a full disk, not a reason to try again.
TEST_F(ReplaceFile, writeThatTakesNothingIsAFullDiskInsteadOfAnEndlessLoop) {
  FileReplaceCalls calls = FileReplaceCalls::System();
  calls.write = [](int, const void*, std::size_t) -> ssize_t { return 0; };
  const auto failure = Failure(calls);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->code().value(), ENOSPC);
  EXPECT_FALSE(failure->creating());
  EXPECT_EQ(ReplaceErrorText(*failure, target), "ﾃﾞｨｽｸがいっぱいです");
  ExpectUntouched();
}

// Only a failure to create the file reads as an open error; the export's box
// and the save's both choose their text by it.
TEST_F(ReplaceFile, onlyTheCreateStepCountsAsCreating) {
  struct Step { const char* name; bool creating; };
  for (const Step step : {Step{"open", true}, Step{"write", false}, Step{"fsync", false},
                          Step{"close", false}, Step{"rename", false}}) {
    FileReplaceCalls calls = FileReplaceCalls::System();
    const std::string name = step.name;
    if (name == "open") calls.open = [](const char*, int, mode_t) { errno = ENOENT; return -1; };
    if (name == "write") calls.write = [](int, const void*, std::size_t) -> ssize_t { errno = ENOENT; return -1; };
    if (name == "fsync") calls.fsync = [](int) { errno = ENOENT; return -1; };
    if (name == "close") calls.close = [](int fd) { ::close(fd); errno = ENOENT; return -1; };
    if (name == "rename") calls.rename = [](const char*, const char*) { errno = ENOENT; return -1; };
    const auto failure = Failure(calls);
    ASSERT_TRUE(failure) << name;
    EXPECT_EQ(failure->code().value(), ENOENT) << name;
    EXPECT_EQ(failure->creating(), step.creating) << name;
    EXPECT_EQ(ReplaceErrorText(*failure, target), step.creating ? "ﾌｧｲﾙが見つかりません" : "I/O ｴﾗｰ (2)")
        << name;
    ExpectUntouched();
  }
}

TEST_F(ReplaceFile, interruptedAndPartialWritesStillWriteTheWholeFile) {
  FileReplaceCalls calls = FileReplaceCalls::System();
  int call = 0;
  calls.write = [&call](int fd, const void* data, std::size_t size) -> ssize_t {
    if (++call % 2 == 1) {
      errno = EINTR;
      return -1;
    }
    return ::write(fd, data, std::min<std::size_t>(size, 3));
  };
  EXPECT_FALSE(Failure(calls));
  EXPECT_EQ(folder.Read(target), "replacement");
  EXPECT_EQ(folder.DatNames(), std::vector<std::string>{"out.txt"});
}

// A link planted where a temporary file could be named, or at the target,
// must never be written through: the file it points to keeps its bytes and
// the target becomes a plain file of its own.
TEST_F(ReplaceFile, plantedLinkIsNeverWrittenThrough) {
  for (const std::string planted : {"out.txt.tmp", "out.txt"}) {
    const auto victim = folder.root() / "victim";
    folder.Write(victim, "victim's own bytes");
    std::filesystem::remove(folder.dat() / planted);
    std::filesystem::create_symlink(victim, folder.dat() / planted);
    EXPECT_FALSE(Failure(FileReplaceCalls::System())) << planted;
    EXPECT_EQ(folder.Read(victim), "victim's own bytes") << planted;
    EXPECT_FALSE(std::filesystem::is_symlink(target)) << planted;
    EXPECT_EQ(folder.Read(target), "replacement") << planted;
  }
}

// Another game saving while this one is still writing: each must rename a
// whole file of its own, so the target holds one replacement, never a mix.
TEST_F(ReplaceFile, twoWritersAtOnceLeaveOneWholeFile) {
  FileReplaceCalls first = FileReplaceCalls::System();
  bool secondRan = false;
  first.write = [&](int fd, const void* data, std::size_t size) -> ssize_t {
    if (!secondRan) {
      secondRan = true;
      ReplaceFileAtomically(target, "the second game's save");
    }
    return ::write(fd, data, std::min<std::size_t>(size, 4));
  };
  EXPECT_FALSE(Failure(first));
  EXPECT_EQ(folder.Read(target), "replacement");
  EXPECT_EQ(folder.DatNames(), std::vector<std::string>{"out.txt"});
}

} // namespace
} // namespace ikea
