#pragma once
// The texts a file failure is shown with, chosen by the system error number.
#include <filesystem>

#include "base/Text.h"

namespace ikea {

class FileReplaceError;

// A failure to open or create `file`. A missing file in a missing folder
// reads as an invalid file name, as it always has.
Text OpenErrorText(int error, const std::filesystem::path& file);

// A failure while reading, writing, syncing or replacing a file.
Text IoErrorText(int error);

// A failed replacement of `file`: an open text if the file could not be
// created, else the text of the failed write, flush or rename.
Text ReplaceErrorText(const FileReplaceError& error, const std::filesystem::path& file);

} // namespace ikea
