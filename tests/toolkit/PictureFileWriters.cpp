#include "PictureFileWriters.h"

#include <cstdio>
#include <jpeglib.h>
#include <stdexcept>

namespace ikea::test {
namespace {

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

int NearestIndex(QRgb c, const std::vector<QRgb>& palette) {
  int best = 0;
  int bestDistance = 1 << 30;
  for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
    int dr = qRed(c) - qRed(palette[i]), dg = qGreen(c) - qGreen(palette[i]), db = qBlue(c) - qBlue(palette[i]);
    int d = dr * dr + dg * dg + db * db;
    if (d < bestDistance) { bestDistance = d; best = i; }
  }
  return best;
}

}  // namespace

Bytes EncodeJpeg(const QImage& source, int quality) {
  QImage image = source.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &out, &size);
  cinfo.image_width = static_cast<JDIMENSION>(image.width());
  cinfo.image_height = static_cast<JDIMENSION>(image.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = image.scanLine(static_cast<int>(cinfo.next_scanline));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes bytes(out, out + size);
  jpeg_destroy_compress(&cinfo);
  std::free(out);
  return bytes;
}

Bytes EncodeBmp(const QImage& image, int bits, bool topDown, const std::vector<QRgb>& palette) {
  const int w = image.width(), h = image.height();
  const std::uint32_t stride = static_cast<std::uint32_t>((w * bits + 31) / 32 * 4);
  const std::uint32_t paletteBytes = bits <= 8 ? static_cast<std::uint32_t>(palette.size()) * 4 : 0;
  const std::uint32_t offset = 14 + 40 + paletteBytes;
  Bytes b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, offset + stride * static_cast<std::uint32_t>(h));
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(w));
  Put32(b, static_cast<std::uint32_t>(topDown ? -h : h));
  Put16(b, 1);
  Put16(b, static_cast<std::uint32_t>(bits));
  Put32(b, 0);  // uncompressed
  Put32(b, stride * static_cast<std::uint32_t>(h));
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, bits <= 8 ? static_cast<std::uint32_t>(palette.size()) : 0);
  Put32(b, 0);
  if (bits <= 8) {
    for (QRgb c : palette) {
      b.push_back(static_cast<std::uint8_t>(qBlue(c)));
      b.push_back(static_cast<std::uint8_t>(qGreen(c)));
      b.push_back(static_cast<std::uint8_t>(qRed(c)));
      b.push_back(0);
    }
  }
  for (int i = 0; i < h; ++i) {
    int y = topDown ? i : h - 1 - i;
    Bytes row(stride, 0);
    for (int x = 0; x < w; ++x) {
      QRgb c = image.pixel(x, y);
      switch (bits) {
        case 1: row[x / 8] |= static_cast<std::uint8_t>(NearestIndex(c, palette) << (7 - x % 8)); break;
        case 4: row[x / 2] |= static_cast<std::uint8_t>(NearestIndex(c, palette) << (x % 2 ? 0 : 4)); break;
        case 8: row[x] = static_cast<std::uint8_t>(NearestIndex(c, palette)); break;
        case 24:
          row[x * 3] = static_cast<std::uint8_t>(qBlue(c));
          row[x * 3 + 1] = static_cast<std::uint8_t>(qGreen(c));
          row[x * 3 + 2] = static_cast<std::uint8_t>(qRed(c));
          break;
        case 32:
          row[x * 4] = static_cast<std::uint8_t>(qBlue(c));
          row[x * 4 + 1] = static_cast<std::uint8_t>(qGreen(c));
          row[x * 4 + 2] = static_cast<std::uint8_t>(qRed(c));
          break;
        default: throw std::invalid_argument("bits");
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

QImage TestPattern(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x * 255 / std::max(1, width - 1), y * 255 / std::max(1, height - 1), 128));
  image.setPixel(0, 0, qRgb(255, 0, 0));
  image.setPixel(width - 1, height - 1, qRgb(0, 0, 255));
  return image;
}

}  // namespace ikea::test
