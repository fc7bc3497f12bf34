#pragma once
// The save file dat/my.dat (the saved part of the game, one value per line,
// CR LF) and the rival names of dat/name.dat. `folder` is the game folder.
#include <filesystem>
#include <string_view>

#include "game/AtomicFile.h"
#include "base/Text.h"

namespace ikea {

struct tmy;
struct GameState;
struct Catalogues;

// Reads dat/my.dat into the saved part of `s`, then dat/name.dat into the
// rival names, and fills the constant catalogues. Throws GameError on a
// missing file or a malformed integer; the values read before the failure
// stay, and the constant catalogues are filled all the same.
void LoadGameData(const std::filesystem::path& folder, GameState& s, Catalogues& cat);

// The file calls a save makes, replaceable so tests can run out of disk or be
// refused.
using SaveFileCalls = FileReplaceCalls;

// Writes the saved part of `s` to dat/my.dat. The whole file goes to a
// temporary file beside it first and replaces my.dat only once it is safely
// on disk, so a failed save (GameError) leaves the previous save untouched.
void SaveGameData(const std::filesystem::path& folder, const GameState& s);
void SaveGameData(const std::filesystem::path& folder, const tmy& s, const SaveFileCalls& calls);

// The bytes of dat/my.dat for a saved record: 7693 lines, each ending CR LF.
Text SaveFileText(const tmy& s);
// Reads a save file's bytes into `s`, item by item; throws like LoadGameData.
void ReadSaveFileText(std::string_view bytes, tmy& s);

} // namespace ikea
