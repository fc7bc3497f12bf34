#include "game/SaveTextReader.h"

#include <charconv>
#include <optional>

#include "base/GameError.h"

namespace ikea {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// A whole token in decimal with an optional sign, within int32.
std::optional<std::int32_t> DecimalValue(std::string_view token) {
  if (token.starts_with('+')) {
    token.remove_prefix(1);
    if (token.starts_with('-')) return std::nullopt;
  }
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (error != std::errc() || end != token.data() + token.size()) return std::nullopt;
  return value;
}

} // namespace

bool SaveTextReader::AtLineEnd() const { return !AtEnd() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n'); }

void SaveTextReader::SkipLineEnd() {
  if (AtEnd()) return;
  if (bytes_[pos_] == '\r') ++pos_;
  if (!AtEnd() && bytes_[pos_] == '\n') ++pos_;
}

void SaveTextReader::SkipRestOfLine() {
  while (!AtEnd() && !AtLineEnd()) ++pos_;
  SkipLineEnd();
}

std::int32_t SaveTextReader::ReadInteger() {
  while (!AtEnd() && IsBlank(bytes_[pos_])) ++pos_;
  const std::size_t start = pos_;
  while (!AtEnd() && !IsBlank(bytes_[pos_]) && pos_ - start < kMaxTokenLength) ++pos_;
  const std::string_view token = bytes_.substr(start, pos_ - start);
  SkipRestOfLine();
  if (token.empty()) return 0;  // end of file
  const std::optional<std::int32_t> value = DecimalValue(token);
  if (!value) throw GameError("入力値が数値ではありません");
  return *value;
}

Text SaveTextReader::ReadText() {
  const std::size_t start = pos_;
  while (!AtEnd() && !AtLineEnd()) ++pos_;
  Text text(bytes_.substr(start, pos_ - start));
  SkipLineEnd();
  return text;
}

} // namespace ikea
