#include "game/SaveFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "game/Catalogues.h"
#include "game/FileErrors.h"
#include "base/GameError.h"
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

void SaveGameData(const std::filesystem::path& folder, const GameState& s) {
  SaveGameData(folder, s, SaveFileCalls::System());
}

void SaveGameData(const std::filesystem::path& folder, const tmy& s, const SaveFileCalls& calls) {
  const Text bytes = SaveFileText(s);
  const std::filesystem::path file = GamePath(folder, kSaveFile);
  try {
    ReplaceFileAtomically(file, bytes, calls);
  } catch (const FileReplaceError& e) {
    throw GameError(ReplaceErrorText(e, file));
  }
}

} // namespace ikea
