#pragma once
// Writing pictures in the forms the game loads: JPEG (baseline, through
// libjpeg) and uncompressed 24-bit BMP.
#include <QImage>
#include <filesystem>

namespace ikea::assets {

// Both throw std::runtime_error when the file cannot be written.
void WriteJpeg(const QImage& image, const std::filesystem::path& path, int quality = 90);
void WriteBmp24(const QImage& image, const std::filesystem::path& path);
void WritePng(const QImage& image, const std::filesystem::path& path);

} // namespace ikea::assets
