#pragma once
// The one place where the game's cp932 byte strings meet Unicode.
#include <QString>
#include <optional>

#include "base/Text.h"

namespace ikea::tk {

// cp932 -> Unicode as the Japanese font shows it: byte 0x5C is the yen sign,
// and a lone lead byte at the end (a double-byte character half typed out)
// shows nothing.
QString DisplayText(const Text& cp932);

// Unicode -> cp932; nothing when a character has no cp932 form.
std::optional<Text> ToCp932(const QString& text);

// Byte length of a text in cp932, or nothing when it cannot be held.
std::optional<int> Cp932Length(const QString& text);

// True when `b` starts a double-byte cp932 character.
constexpr bool IsCp932LeadByte(unsigned char b) {
  return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Texts of our own (UTF-8 in the toolkit's sources) in the game's code page.
Text OwnText(const char* utf8);

}  // namespace ikea::tk
