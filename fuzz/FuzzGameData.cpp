// Loading a game folder whose dat/my.dat and dat/name.dat hold arbitrary
// bytes. The first byte chooses the case: bit 0 puts the input in my.dat
// (else a good save is there), bit 1 leaves name.dat out (else it holds the
// input). Whatever happens, the constant catalogues are filled, because the
// game goes on drawing species from them after a failed load.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "fuzz/FuzzSupport.h"
#include "game/Catalogues.h"
#include "base/GameError.h"
#include "game/GameState.h"
#include "game/SaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ikea;
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  ++data;
  --size;

  const std::filesystem::path folder = fuzz::ScratchFolder() / "game";
  const std::filesystem::path dat = folder / "dat";
  std::filesystem::create_directories(dat);
  if (mode & 1) {
    fuzz::WriteBytes(dat / "my.dat", data, size);
  } else {
    static const Text goodSave = SaveFileText(tmy{});
    fuzz::WriteBytes(dat / "my.dat", reinterpret_cast<const std::uint8_t*>(goodSave.data()), goodSave.size());
  }
  if (mode & 2) std::filesystem::remove(dat / "name.dat");
  else fuzz::WriteBytes(dat / "name.dat", data, size);

  auto state = std::make_unique<GameState>();
  auto cat = std::make_unique<Catalogues>();
  bool loaded = true;
  try {
    LoadGameData(folder, *state, *cat);
  } catch (const GameError&) {
    loaded = false;
  }
  if (cat->Species(1).Name.empty()) __builtin_trap();
  if (loaded) {
    if (mode & 2) __builtin_trap();  // a missing name.dat must be reported
    for (const Text& name : cat->RivalNames)
      if (name.find_first_of("\r\n") != Text::npos) __builtin_trap();
  }
  return 0;
}
