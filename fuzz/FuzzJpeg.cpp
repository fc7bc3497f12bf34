// The JPEG decoder on arbitrary bytes: it either gives a picture within the
// size limits or raises PictureError; libjpeg's fatal errors must come back
// as that error, never end the process.
#include <cstddef>
#include <cstdint>
#include <span>

#include "toolkit/PictureCodecs.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ikea::tk;
  try {
    const QImage image = DecodeJpeg(std::span(data, size));
    if (image.isNull() || !SaneDimensions(image.width(), image.height()) ||
        image.format() != QImage::Format_RGB32)
      __builtin_trap();
  } catch (const PictureError&) {
  }
  return 0;
}
