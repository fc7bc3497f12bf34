#pragma once
// Walks the chunks of a RIFF file. Sizes the file merely claims are clipped
// to the bytes really there, and every walk moves forward, so a hostile file
// can neither loop it nor make a caller allocate what is not there.
#include <cstdint>
#include <cstdio>
#include <string>

namespace pcmmix {

class ByteSource {
public:
  virtual ~ByteSource() = default;
  virtual uint64_t Size() const = 0;
  virtual size_t ReadAt(uint64_t offset, void* buffer, size_t count) = 0;
};

class FileByteSource final : public ByteSource {
public:
  ~FileByteSource() override;
  bool Open(const std::string& path);
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;

private:
  std::FILE* file_ = nullptr;
  uint64_t size_ = 0;
};

class MemoryByteSource final : public ByteSource {
public:
  MemoryByteSource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint64_t Size() const override { return size_; }
  size_t ReadAt(uint64_t offset, void* buffer, size_t count) override;

private:
  const uint8_t* data_;
  size_t size_;
};

constexpr uint32_t FourCc(const char (&s)[5]) {
  return uint32_t(uint8_t(s[0])) | uint32_t(uint8_t(s[1])) << 8 | uint32_t(uint8_t(s[2])) << 16 |
         uint32_t(uint8_t(s[3])) << 24;
}

struct RiffChunk {
  uint32_t id = 0;
  uint32_t size = 0;        // as the file claims it
  uint64_t dataOffset = 0;  // first byte after the chunk header
  uint32_t formType = 0;    // RIFF and LIST chunks only
  uint64_t End() const { return dataOffset + size; }
};

class RiffReader {
public:
  explicit RiffReader(ByteSource& source) : source_(source) {}

  // The top-level "RIFF" chunk of the given form type.
  bool FindForm(uint32_t formType, RiffChunk& form);
  // The first chunk with this id inside the form, at or after `from`.
  bool FindChunk(const RiffChunk& form, uint32_t id, uint64_t from, RiffChunk& chunk);
  // Bytes of the chunk's data that the file really holds.
  uint64_t AvailableBytes(const RiffChunk& chunk) const;
  // Reads up to count bytes of the chunk's data; gives the count read.
  size_t Read(const RiffChunk& chunk, void* buffer, size_t count);

  static uint64_t FirstChildOffset(const RiffChunk& form) { return form.dataOffset + 4; }
  static uint64_t NextOffset(const RiffChunk& chunk) { return chunk.End() + (chunk.size & 1); }

private:
  bool ReadHeader(uint64_t offset, RiffChunk& chunk);
  ByteSource& source_;
};

} // namespace pcmmix
