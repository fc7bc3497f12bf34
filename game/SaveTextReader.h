#pragma once
// Reads the save file's values the way the game always has: integers skip
// blank lines and take one token, texts take the rest of a line. Line ends
// are CR LF, a bare LF or a bare CR. Past the end an integer is 0 and a text
// is empty.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/Text.h"

namespace ikea {

class SaveTextReader {
public:
  explicit SaveTextReader(std::string_view bytes) : bytes_(bytes) {}

  // Throws GameError when the token is not a decimal int32.
  std::int32_t ReadInteger();
  Text ReadText();

private:
  static constexpr std::size_t kMaxTokenLength = 32;

  bool AtEnd() const { return pos_ >= bytes_.size(); }
  bool AtLineEnd() const;
  void SkipLineEnd();
  void SkipRestOfLine();

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

} // namespace ikea
