#include "game/SaveFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "game/Catalogues.h"
#include "game/FileErrors.h"
#include "game/GameError.h"
#include "game/GameFolder.h"
#include "game/GameState.h"
#include "game/SaveLayout.h"
#include "game/SaveTextReader.h"

namespace ikea {
namespace {

template <typename... F> struct Overloaded : F... { using F::operator()...; };
template <typename... F> Overloaded(F...) -> Overloaded<F...>;

const char* const kSaveFile = "\\dat\\my.dat";
const char* const kRivalFile = "\\dat\\name.dat";
const char* const kLineEnd = "\r\n";

// ---- reading ----

Text ReadWholeFile(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw GameError(OpenErrorText(errno, file));
  Text bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ::close(fd);
      throw GameError(IoErrorText(error));
    }
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

void ReadRivalNames(std::string_view bytes, Catalogues& cat) {
  SaveTextReader reader(bytes);
  for (Text& name : cat.RivalNames) name = reader.ReadText();
}

// ---- writing ----

// A text line may not hold a line end, or every later item would shift.
void AppendTextLine(Text& out, const Text& text) {
  for (char c : text)
    if (c != '\r' && c != '\n') out += c;
  out += kLineEnd;
}

void AppendIntegerLine(Text& out, std::int32_t value) {
  out += n(value);
  out += kLineEnd;
}

// Runs the file calls for one save and removes the temporary file unless it
// has become my.dat.
class AtomicSave {
public:
  AtomicSave(const SaveFileCalls& calls, std::filesystem::path target)
      : calls_(calls), target_(std::move(target)), temporary_(target_) {
    temporary_ += ".tmp";
  }
  ~AtomicSave() {
    if (fd_ >= 0) calls_.close(fd_);
    if (!renamed_) ::unlink(temporary_.c_str());
  }
  AtomicSave(const AtomicSave&) = delete;
  AtomicSave& operator=(const AtomicSave&) = delete;

  void Run(const Text& bytes) {
    Create();
    WriteAll(bytes);
    if (calls_.fsync(fd_) != 0) Fail();
    const int fd = fd_;
    fd_ = -1;
    if (calls_.close(fd) != 0) Fail();
    if (calls_.rename(temporary_.c_str(), target_.c_str()) != 0) Fail();
    renamed_ = true;
    SyncFolder();
  }

private:
  void Create() {
    fd_ = calls_.open(temporary_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd_ < 0) throw GameError(OpenErrorText(errno, temporary_));
  }

  void WriteAll(const Text& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t wrote = calls_.write(fd_, bytes.data() + done, bytes.size() - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote < 0) Fail();
      if (wrote == 0) Fail(ENOSPC);  // a regular file takes nothing more only when full
      done += static_cast<std::size_t>(wrote);
    }
  }

  // Makes the rename itself durable; the new file is complete either way.
  void SyncFolder() {
    const int dir = ::open(target_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
  }

  [[noreturn]] void Fail() { Fail(errno); }
  [[noreturn]] void Fail(int error) { throw GameError(IoErrorText(error)); }

  const SaveFileCalls& calls_;
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  bool renamed_ = false;
};

} // namespace

void ReadSaveFileText(std::string_view bytes, tmy& s) {
  SaveTextReader reader(bytes);
  for (const SaveItem& item : kSaveItems) {
    std::visit(Overloaded{
                   [&](SavedScalar field) { s.*field = reader.ReadInteger(); },
                   [&](SavedIntegers field) {
                     for (std::int32_t& value : s.*field) value = reader.ReadInteger();
                   },
                   [&](SavedTexts field) {
                     for (Text& text : s.*field) text = reader.ReadText();
                   },
               },
               item);
  }
}

void LoadGameData(const std::filesystem::path& folder, GameState& s, Catalogues& cat) {
  // The constant catalogues are filled even when a file fails: the landing
  // draws species until it finds one and would never stop on an empty table.
  try {
    ReadSaveFileText(ReadWholeFile(GamePath(folder, kSaveFile)), s);
    ReadRivalNames(ReadWholeFile(GamePath(folder, kRivalFile)), cat);
  } catch (...) {
    cat.FillConstants();
    throw;
  }
  cat.FillConstants();
}

Text SaveFileText(const tmy& s) {
  Text out;
  out.reserve(kSaveFileLines * 4);
  for (const SaveItem& item : kSaveItems) {
    std::visit(Overloaded{
                   [&](SavedScalar field) { AppendIntegerLine(out, s.*field); },
                   [&](SavedIntegers field) {
                     for (std::int32_t value : s.*field) AppendIntegerLine(out, value);
                   },
                   [&](SavedTexts field) {
                     for (const Text& text : s.*field) AppendTextLine(out, text);
                   },
               },
               item);
  }
  return out;
}

SaveFileCalls SaveFileCalls::System() {
  return SaveFileCalls{
      [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
      [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
      [](int fd) { return ::fsync(fd); },
      [](int fd) { return ::close(fd); },
      [](const char* from, const char* to) { return ::rename(from, to); },
  };
}

void SaveGameData(const std::filesystem::path& folder, const GameState& s) {
  SaveGameData(folder, s, SaveFileCalls::System());
}

void SaveGameData(const std::filesystem::path& folder, const tmy& s, const SaveFileCalls& calls) {
  const Text bytes = SaveFileText(s);
  AtomicSave(calls, GamePath(folder, kSaveFile)).Run(bytes);
}

} // namespace ikea
