// JPEG decoding with libjpeg. Its fatal errors come back here through
// longjmp (never exit()); the frames between setjmp and the jump are
// libjpeg's own C frames, so no C++ destructor is skipped.
#include <csetjmp>
#include <cstdio>
#include <memory>

#include <jpeglib.h>
#include <jerror.h>

#include "toolkit/PictureCodecs.h"

namespace ikea::tk {
namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void FailDecoding(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

// A file that ends before its picture does is broken, not a grey picture.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) FailDecoding(cinfo);
}

}  // namespace

QImage DecodeJpeg(std::span<const std::uint8_t> file) {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  // Held in memory set up before setjmp, so its state is sound after a jump.
  auto image = std::make_unique<QImage>();
  cinfo.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = FailDecoding;
  errors.base.emit_message = OnMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    throw PictureError(std::string("JPEG: ") + errors.message);
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&cinfo, TRUE);
  if (!SaneDimensions(cinfo.image_width, cinfo.image_height)) {
    jpeg_destroy_decompress(&cinfo);
    throw PictureError("JPEG: absurd dimensions");
  }
  cinfo.out_color_space = JCS_EXT_BGRX;  // the byte order of QImage::Format_RGB32
  jpeg_start_decompress(&cinfo);
  *image = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height), QImage::Format_RGB32);
  if (image->isNull()) {
    jpeg_destroy_decompress(&cinfo);
    throw PictureError("JPEG: out of memory");
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(cinfo.output_scanline));
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return std::move(*image);
}

bool SaneDimensions(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

}  // namespace ikea::tk
