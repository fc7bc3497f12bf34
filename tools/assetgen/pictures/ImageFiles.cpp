#include "tools/assetgen/pictures/ImageFiles.h"

#include <cstdio>
#include <cstdint>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace ikea::assets {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

[[noreturn]] void CannotWrite(const std::filesystem::path& path) {
  throw std::runtime_error("cannot write " + path.string());
}

void PutLe16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(v & 0xFF);
  out.push_back(v >> 8);
}

void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back((v >> (8 * i)) & 0xFF);
}

} // namespace

void WriteJpeg(const QImage& image, const std::filesystem::path& path, int quality) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) CannotWrite(path);

  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file.get());
  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    // libjpeg takes non-const rows but only reads them.
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  if (std::ferror(file.get())) CannotWrite(path);
}

void WriteBmp24(const QImage& image, const std::filesystem::path& path) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  const int w = rgb.width();
  const int h = rgb.height();
  const int stride = (w * 3 + 3) & ~3;  // rows pad to four bytes
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(stride * h);

  std::vector<std::uint8_t> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, 54 + pixelBytes);
  PutLe32(out, 0);
  PutLe32(out, 54);
  PutLe32(out, 40);
  PutLe32(out, static_cast<std::uint32_t>(w));
  PutLe32(out, static_cast<std::uint32_t>(h));  // positive: rows bottom-up
  PutLe16(out, 1);
  PutLe16(out, 24);
  PutLe32(out, 0);  // uncompressed
  PutLe32(out, pixelBytes);
  PutLe32(out, 2835);  // 72 dpi
  PutLe32(out, 2835);
  PutLe32(out, 0);
  PutLe32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const std::uint8_t* src = rgb.constScanLine(y);
    for (int x = 0; x < w; ++x) {
      out.push_back(src[3 * x + 2]);
      out.push_back(src[3 * x + 1]);
      out.push_back(src[3 * x]);
    }
    for (int pad = w * 3; pad < stride; ++pad) out.push_back(0);
  }

  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!file) CannotWrite(path);
}

void WritePng(const QImage& image, const std::filesystem::path& path) {
  if (!image.save(QString::fromStdString(path.string()), "PNG")) CannotWrite(path);
}

} // namespace ikea::assets
