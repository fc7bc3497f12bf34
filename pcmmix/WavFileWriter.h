#pragma once
// Writes a PCM WAV file whose header is valid after every write; Finish
// adds the pad byte of an odd-sized data chunk.
#include <cstdint>
#include <cstdio>
#include <string>

#include "pcmmix/WaveTypes.h"

namespace pcmmix {

class WavFileWriter {
public:
  WavFileWriter() = default;
  ~WavFileWriter();
  WavFileWriter(const WavFileWriter&) = delete;
  WavFileWriter& operator=(const WavFileWriter&) = delete;

  bool Open(const std::string& path, const WaveFormat& format);
  void Write(const uint8_t* data, size_t count);
  void WriteSilence(uint64_t count, uint8_t level = 128);
  void Finish();
  uint64_t DataBytes() const { return dataBytes_; }

private:
  void WriteHeader();
  std::FILE* file_ = nullptr;
  WaveFormat format_;
  uint64_t dataBytes_ = 0;
};

} // namespace pcmmix
