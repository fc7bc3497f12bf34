#pragma once
// The texts a file failure is shown with, chosen by the system error number.
#include <filesystem>

#include "game/Text.h"

namespace ikea {

// A failure to open or create `file`. A missing file in a missing folder
// reads as an invalid file name, as it always has.
Text OpenErrorText(int error, const std::filesystem::path& file);

// A failure while reading, writing, syncing or replacing a file.
Text IoErrorText(int error);

} // namespace ikea
