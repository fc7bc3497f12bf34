// my.dat's reader on arbitrary bytes. A file it accepts must survive a save:
// writing the record and reading it back gives the same record, so a game
// loaded from any file saves without shifting or losing a value.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "base/GameError.h"
#include "game/GameState.h"
#include "game/SaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ikea;
  auto read = std::make_unique<tmy>();
  try {
    ReadSaveFileText(std::string_view(reinterpret_cast<const char*>(data), size), *read);
  } catch (const GameError&) {
    return 0;
  }
  const Text saved = SaveFileText(*read);
  auto again = std::make_unique<tmy>();
  ReadSaveFileText(saved, *again);  // a file we wrote never fails to read
  if (!(*again == *read) || SaveFileText(*again) != saved) __builtin_trap();
  return 0;
}
