#include "pcmmix/WavFileWriter.h"

#include <algorithm>
#include <cstring>

namespace pcmmix {
namespace {

void PutLe(uint8_t* p, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) p[i] = uint8_t(v >> (8 * i));
}

// A RIFF size field holds 32 bits; longer captures keep the largest size.
uint32_t Clamp32(uint64_t v) { return uint32_t(std::min<uint64_t>(v, 0xFFFFFFF0u)); }

} // namespace

WavFileWriter::~WavFileWriter() { Finish(); }

bool WavFileWriter::Open(const std::string& path, const WaveFormat& format) {
  Finish();
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  format_ = format;
  dataBytes_ = 0;
  WriteHeader();
  return true;
}

void WavFileWriter::WriteHeader() {
  uint8_t h[44];
  uint64_t padded = dataBytes_ + (dataBytes_ & 1);
  std::memcpy(h, "RIFF", 4);
  PutLe(h + 4, Clamp32(36 + padded), 4);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  PutLe(h + 16, 16, 4);
  PutLe(h + 20, format_.formatTag, 2);
  PutLe(h + 22, format_.channels, 2);
  PutLe(h + 24, format_.samplesPerSec, 4);
  PutLe(h + 28, format_.avgBytesPerSec, 4);
  PutLe(h + 32, format_.blockAlign, 2);
  PutLe(h + 34, format_.bitsPerSample, 2);
  std::memcpy(h + 36, "data", 4);
  PutLe(h + 40, Clamp32(dataBytes_), 4);
  std::fseek(file_, 0, SEEK_SET);
  std::fwrite(h, 1, sizeof h, file_);
  std::fseek(file_, 0, SEEK_END);
}

void WavFileWriter::Write(const uint8_t* data, size_t count) {
  if (!file_ || count == 0) return;
  std::fwrite(data, 1, count, file_);
  dataBytes_ += count;
  // Keep the header's sizes current, so a recording cut short (the program
  // killed) is still a whole, playable file.
  WriteHeader();
  std::fflush(file_);
}

void WavFileWriter::WriteSilence(uint64_t count, uint8_t level) {
  uint8_t chunk[4096];
  std::memset(chunk, level, sizeof chunk);
  while (count > 0) {
    size_t n = size_t(std::min<uint64_t>(count, sizeof chunk));
    Write(chunk, n);
    count -= n;
  }
}

void WavFileWriter::Finish() {
  if (!file_) return;
  if (dataBytes_ & 1) std::fputc(0, file_); // chunks are padded to even sizes
  WriteHeader();
  std::fclose(file_);
  file_ = nullptr;
}

} // namespace pcmmix
