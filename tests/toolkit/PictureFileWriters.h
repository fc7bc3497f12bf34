#pragma once
// Writes small picture files in memory for the loader tests.
#include <QImage>
#include <cstdint>
#include <vector>

namespace ikea::test {

using Bytes = std::vector<std::uint8_t>;

Bytes EncodeJpeg(const QImage& image, int quality = 95);

// Uncompressed BMP of 1, 4, 8, 24 or 32 bits. Palette depths map each pixel
// to the nearest of `palette`'s colours (which the file then holds).
Bytes EncodeBmp(const QImage& image, int bits, bool topDown, const std::vector<QRgb>& palette = {});

// A picture with distinct corners and a gradient, for checking orientation.
QImage TestPattern(int width, int height);

}  // namespace ikea::test
