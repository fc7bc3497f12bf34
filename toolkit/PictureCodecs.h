#pragma once
// Decoders for the game's picture files. Each takes the whole file in
// memory and raises PictureError for a file it cannot decode (corrupt,
// truncated, unsupported or of absurd dimensions); none ever ends the
// program.
#include <QImage>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace ikea::tk {

class PictureError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Largest width or height accepted, and largest pixel count.
constexpr int kMaxPictureSide = 16384;
constexpr std::int64_t kMaxPicturePixels = std::int64_t{64} * 1024 * 1024;

// JPEG (baseline or progressive, grey or colour) to a 32-bit RGB image.
QImage DecodeJpeg(std::span<const std::uint8_t> file);

// Uncompressed BMP of 1, 4, 8, 16, 24 or 32 bits, bottom-up or top-down, to
// a 32-bit RGB image.
QImage DecodeBmp(std::span<const std::uint8_t> file);

// True when the dimensions are within the limits above.
bool SaneDimensions(std::int64_t width, std::int64_t height);

}  // namespace ikea::tk
