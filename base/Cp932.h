#pragma once
// Conversion between the game's cp932 texts and UTF-8, for the edges only:
// display, typing and file names.
#include <optional>
#include <string>

#include "base/Text.h"

namespace ikea {

// cp932 -> UTF-8. Bytes that cp932 does not define become U+FFFD, so a
// broken byte in a save file never stops the display.
std::string Cp932ToUtf8(const Text& cp932);

// UTF-8 -> cp932, or nothing when a character has no cp932 form.
std::optional<Text> Utf8ToCp932(const std::string& utf8);

} // namespace ikea
