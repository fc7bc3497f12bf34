// Uncompressed BMP decoding. Every offset and size read from the file is
// checked against the file before it is used.
#include <array>
#include <bit>
#include <vector>

#include "toolkit/PictureCodecs.h"

namespace ikea::tk {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kBitFields = 3;

[[noreturn]] void Fail(const char* why) { throw PictureError(std::string("BMP: ") + why); }

class Reader {
public:
  explicit Reader(std::span<const std::uint8_t> file) : file_(file) {}
  std::uint32_t U32(std::size_t at) const { Need(at, 4); return Le(at, 4); }
  std::uint16_t U16(std::size_t at) const { Need(at, 2); return static_cast<std::uint16_t>(Le(at, 2)); }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  std::uint8_t U8(std::size_t at) const { Need(at, 1); return file_[at]; }
  void Need(std::size_t at, std::size_t count) const {
    if (at > file_.size() || count > file_.size() - at) Fail("file ends early");
  }
  const std::uint8_t* At(std::size_t at) const { return file_.data() + at; }

private:
  std::uint32_t Le(std::size_t at, int bytes) const {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | file_[at + i];
    return v;
  }
  std::span<const std::uint8_t> file_;
};

struct Header {
  std::uint32_t pixelOffset = 0;
  std::uint32_t headerSize = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // rows; the sign of the file's value says top-down
  bool topDown = false;
  int bits = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t coloursUsed = 0;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue
};

Header ReadHeader(const Reader& in) {
  if (in.U8(0) != 'B' || in.U8(1) != 'M') Fail("not a bitmap");
  Header h;
  h.pixelOffset = in.U32(10);
  h.headerSize = in.U32(kFileHeaderSize);
  const std::size_t info = kFileHeaderSize;
  if (h.headerSize == kCoreHeaderSize) {
    h.width = in.U16(info + 4);
    h.height = in.U16(info + 6);
    h.bits = in.U16(info + 10);
    return h;
  }
  if (h.headerSize < kInfoHeaderSize) Fail("unknown header");
  h.width = in.I32(info + 4);
  std::int32_t height = in.I32(info + 8);
  h.topDown = height < 0;
  h.height = height < 0 ? -static_cast<std::int64_t>(height) : height;
  h.bits = in.U16(info + 14);
  h.compression = in.U32(info + 16);
  h.coloursUsed = in.U32(info + 32);
  if (h.compression == kBitFields) {
    // The masks follow a plain info header and lie inside the later ones.
    std::size_t masksAt = info + kInfoHeaderSize;
    h.masks = {in.U32(masksAt), in.U32(masksAt + 4), in.U32(masksAt + 8)};
  } else if (h.bits == 16) {
    h.masks = {0x7C00, 0x03E0, 0x001F};
  } else if (h.bits == 32) {
    h.masks = {0x00FF0000, 0x0000FF00, 0x000000FF};
  }
  return h;
}

void CheckSupported(const Header& h) {
  if (!SaneDimensions(h.width, h.height)) Fail("absurd dimensions");
  bool known = h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 || h.bits == 24 || h.bits == 32;
  if (!known) Fail("unsupported bit depth");
  bool bitFieldsAllowed = h.bits == 16 || h.bits == 32;
  if (h.compression != kRgb && !(h.compression == kBitFields && bitFieldsAllowed)) Fail("compressed bitmaps are not supported");
}

std::vector<QRgb> ReadPalette(const Reader& in, const Header& h) {
  if (h.bits > 8) return {};
  std::size_t entries = h.coloursUsed ? h.coloursUsed : (std::size_t{1} << h.bits);
  if (entries > 256) Fail("palette too large");
  bool core = h.headerSize == kCoreHeaderSize;
  std::size_t entrySize = core ? 3 : 4;
  std::size_t at = kFileHeaderSize + h.headerSize;
  in.Need(at, entries * entrySize);
  std::vector<QRgb> palette(std::size_t{1} << h.bits, qRgb(0, 0, 0));
  for (std::size_t i = 0; i < entries && i < palette.size(); ++i) {
    const std::uint8_t* e = in.At(at + i * entrySize);
    palette[i] = qRgb(e[2], e[1], e[0]);
  }
  return palette;
}

// One colour channel of a packed pixel, scaled to 0..255.
int Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  std::uint32_t value = (pixel & mask) >> shift;
  std::uint32_t max = mask >> shift;
  return static_cast<int>((value * 255 + max / 2) / max);
}

QRgb PixelAt(const std::uint8_t* row, std::int64_t x, const Header& h, const std::vector<QRgb>& palette) {
  switch (h.bits) {
    case 1: return palette[(row[x / 8] >> (7 - x % 8)) & 0x1];
    case 4: return palette[(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF];
    case 8: return palette[row[x]];
    case 24: return qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
    default: {
      std::size_t bytes = static_cast<std::size_t>(h.bits / 8);
      std::uint32_t v = 0;
      for (std::size_t i = 0; i < bytes; ++i) v |= std::uint32_t{row[x * bytes + i]} << (8 * i);
      return qRgb(Channel(v, h.masks[0]), Channel(v, h.masks[1]), Channel(v, h.masks[2]));
    }
  }
}

}  // namespace

QImage DecodeBmp(std::span<const std::uint8_t> file) {
  Reader in(file);
  Header h = ReadHeader(in);
  CheckSupported(h);
  std::vector<QRgb> palette = ReadPalette(in, h);
  std::size_t stride = static_cast<std::size_t>((h.width * h.bits + 31) / 32 * 4);
  in.Need(h.pixelOffset, stride * static_cast<std::size_t>(h.height));

  QImage image(static_cast<int>(h.width), static_cast<int>(h.height), QImage::Format_RGB32);
  if (image.isNull()) Fail("out of memory");
  for (std::int64_t y = 0; y < h.height; ++y) {
    std::int64_t fileRow = h.topDown ? y : h.height - 1 - y;
    const std::uint8_t* row = in.At(h.pixelOffset + static_cast<std::size_t>(fileRow) * stride);
    auto* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
    for (std::int64_t x = 0; x < h.width; ++x) out[x] = PixelAt(row, x, h, palette);
  }
  return image;
}

}  // namespace ikea::tk
