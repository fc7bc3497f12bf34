#include "toolkit/PictureFile.h"

#include <fstream>
#include <optional>
#include <vector>

#include "base/Cp932.h"
#include "base/GameError.h"
#include "toolkit/PictureCodecs.h"
#include "toolkit/TextCodec.h"

namespace ikea::tk {
namespace {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  auto size = std::filesystem::file_size(file, error);
  if (error || size > kMaxPictureFileBytes) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return std::nullopt;
  return bytes;
}

bool LooksLikeJpeg(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

bool LooksLikeBmp(const std::vector<std::uint8_t>& bytes) {
  return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

}  // namespace

Text CannotOpenText(const std::filesystem::path& file) {
  std::string path = file.string();
  return OwnText("ﾌｧｲﾙ ") + Utf8ToCp932(path).value_or(path) + OwnText(" は開けません");
}

QImage LoadPictureFile(const std::filesystem::path& file) {
  auto bytes = ReadWholeFile(file);
  if (!bytes) throw GameError(CannotOpenText(file));
  try {
    if (LooksLikeJpeg(*bytes)) return DecodeJpeg(*bytes);
    if (LooksLikeBmp(*bytes)) return DecodeBmp(*bytes);
  } catch (const PictureError&) {
    // Reported as the file that cannot be opened, below.
  }
  throw GameError(CannotOpenText(file));
}

}  // namespace ikea::tk
