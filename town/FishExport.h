#pragma once
// Writing the selected fish's record to "おさかなデータ.txt" in the game folder.
#include <filesystem>

#include "base/Text.h"

namespace ikea {

struct GameContext;
struct tmy;
struct Catalogues;

// The export file's place: the game folder and the file name in UTF-8.
std::filesystem::path FishDataPath(const std::filesystem::path& folder);

// The six cp932 lines of slot `slot`, each ended by CR LF.
Text FishDataText(const tmy& t, const Catalogues& cat, int slot);

// "出力". The file is replaced whole or not at all. When it cannot be written
// the handler throws GameError (cp932 text) for the window to show, and
// neither "katan.wav" nor the success box follows.
void Button17Click(GameContext& ctx);

} // namespace ikea
