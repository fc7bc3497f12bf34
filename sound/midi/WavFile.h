#pragma once
// A 16-bit PCM WAV file written as it grows. The header's sizes are brought
// up to date after every append, so a reader sees a valid file at any time
// (also after the program was killed).
#include <cstdint>
#include <cstdio>
#include <filesystem>

namespace ikea {

class WavFile {
public:
  WavFile() = default;
  ~WavFile();
  WavFile(const WavFile&) = delete;
  WavFile& operator=(const WavFile&) = delete;

  bool Create(const std::filesystem::path& path, int sampleRate, int channels);
  bool IsOpen() const { return file_ != nullptr; }
  // Appends frames of interleaved samples; false once a write failed.
  bool Append(const int16_t* samples, int frames);
  void Close();

private:
  bool WriteHeader();
  std::FILE* file_ = nullptr;
  int sampleRate_ = 0;
  int channels_ = 0;
  uint32_t dataBytes_ = 0;
  bool failed_ = false;
};

} // namespace ikea
