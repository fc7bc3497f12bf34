#include "pcmmix/RiffReader.h"

#include <algorithm>
#include <cstring>

namespace pcmmix {

FileByteSource::~FileByteSource() {
  if (file_) std::fclose(file_);
}

bool FileByteSource::Open(const std::string& path) {
  file_ = std::fopen(path.c_str(), "rb");
  if (!file_) return false;
  if (std::fseek(file_, 0, SEEK_END) != 0) return false;
  long size = std::ftell(file_);
  if (size < 0) return false; // a directory or a pipe
  size_ = uint64_t(size);
  return true;
}

size_t FileByteSource::ReadAt(uint64_t offset, void* buffer, size_t count) {
  if (offset >= size_ || std::fseek(file_, long(offset), SEEK_SET) != 0) return 0;
  return std::fread(buffer, 1, count, file_);
}

size_t MemoryByteSource::ReadAt(uint64_t offset, void* buffer, size_t count) {
  if (offset >= size_) return 0;
  size_t n = size_t(std::min<uint64_t>(count, size_ - offset));
  std::memcpy(buffer, data_ + offset, n);
  return n;
}

namespace {
uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
} // namespace

bool RiffReader::ReadHeader(uint64_t offset, RiffChunk& chunk) {
  uint8_t h[12];
  size_t n = source_.ReadAt(offset, h, sizeof h);
  if (n < 8) return false;
  chunk.id = Le32(h);
  chunk.size = Le32(h + 4);
  chunk.dataOffset = offset + 8;
  chunk.formType = n >= 12 ? Le32(h + 8) : 0;
  return true;
}

bool RiffReader::FindForm(uint32_t formType, RiffChunk& form) {
  uint64_t offset = 0;
  RiffChunk chunk;
  while (ReadHeader(offset, chunk)) {
    if (chunk.id == FourCc("RIFF") && chunk.size >= 4 && chunk.formType == formType) {
      form = chunk;
      return true;
    }
    offset = NextOffset(chunk);
  }
  return false;
}

bool RiffReader::FindChunk(const RiffChunk& form, uint32_t id, uint64_t from, RiffChunk& chunk) {
  uint64_t end = std::min(form.End(), source_.Size());
  for (uint64_t offset = std::max(from, FirstChildOffset(form)); offset + 8 <= end;
       offset = NextOffset(chunk)) {
    if (!ReadHeader(offset, chunk)) return false;
    if (chunk.id == id) return true;
  }
  return false;
}

uint64_t RiffReader::AvailableBytes(const RiffChunk& chunk) const {
  uint64_t size = source_.Size();
  if (chunk.dataOffset >= size) return 0;
  return std::min<uint64_t>(chunk.size, size - chunk.dataOffset);
}

size_t RiffReader::Read(const RiffChunk& chunk, void* buffer, size_t count) {
  size_t n = size_t(std::min<uint64_t>(count, AvailableBytes(chunk)));
  return source_.ReadAt(chunk.dataOffset, buffer, n);
}

} // namespace pcmmix
