#pragma once
// Paths below the game folder. The game names its files as cp932 relative
// paths with backslashes ("\dat\my.dat"); on disk they are UTF-8 with '/'.
#include <filesystem>

#include "game/Text.h"

namespace ikea {

std::filesystem::path GamePath(const std::filesystem::path& folder, const Text& cp932Relative);

// The folder that holds the running executable (never the current directory).
std::filesystem::path ExecutableFolder();

} // namespace ikea
