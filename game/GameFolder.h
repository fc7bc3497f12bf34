#pragma once
// Paths below the game folder. The game names its files as cp932 relative
// paths with backslashes ("\dat\my.dat"); on disk they are UTF-8 with '/'.
#include <filesystem>

#include "base/Text.h"

namespace ikea {

std::filesystem::path GamePath(const std::filesystem::path& folder, const Text& cp932Relative);

// The folder that holds the running executable (never the current directory).
std::filesystem::path ExecutableFolder();

} // namespace ikea

namespace ikea {

// Where the game reads its pictures, sounds and music (assets) and where it
// keeps the player's files: dat/my.dat, dat/name.dat and the fish data
// export (saves). A game folder beside the program that can be written
// serves as both; an installed, read-only game keeps the player's files in
// $XDG_DATA_HOME/ikeasobi (or ~/.local/share/ikeasobi), seeded from the
// installed first save.
struct GameFolders {
  std::filesystem::path assets;
  std::filesystem::path saves;
};

// exeFolder: the folder of the program. An installed program lives in
// PREFIX/games with its data in PREFIX/share/games/ikeasobi.
GameFolders ResolveGameFolders(const std::filesystem::path& exeFolder, const char* xdgDataHome,
                               const char* home);

} // namespace ikea
