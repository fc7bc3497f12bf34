#pragma once
// Loading a picture file (BMP or JPEG, told apart by their first bytes).
#include <QImage>
#include <filesystem>

#include "base/Text.h"

namespace ikea::tk {

// Files larger than this are not pictures the game would use.
constexpr std::uintmax_t kMaxPictureFileBytes = 64 * 1024 * 1024;

// Raises GameError "ﾌｧｲﾙ <path> は開けません" (cp932) when the file is
// missing, unreadable, of another kind, corrupt or truncated.
QImage LoadPictureFile(const std::filesystem::path& file);

// That error's text for a file.
Text CannotOpenText(const std::filesystem::path& file);

}  // namespace ikea::tk
