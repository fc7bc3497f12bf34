#include "sound/midi/WavFile.h"

#include <array>
#include <cstring>

namespace ikea {
namespace {

void Put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

// The data chunk stops growing before its size would overflow the header.
constexpr uint32_t kMaxDataBytes = 0xFFFFFFFFu - 36 - 8;

} // namespace

WavFile::~WavFile() { Close(); }

bool WavFile::Create(const std::filesystem::path& path, int sampleRate, int channels) {
  Close();
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  sampleRate_ = sampleRate;
  channels_ = channels;
  dataBytes_ = 0;
  failed_ = false;
  if (!WriteHeader()) {
    Close();
    return false;
  }
  return true;
}

bool WavFile::WriteHeader() {
  std::array<uint8_t, 44> h{};
  const uint32_t blockAlign = static_cast<uint32_t>(channels_) * 2;
  std::memcpy(&h[0], "RIFF", 4);
  Put32(&h[4], 36 + dataBytes_);
  std::memcpy(&h[8], "WAVEfmt ", 8);
  Put32(&h[16], 16);
  Put16(&h[20], 1);
  Put16(&h[22], static_cast<uint32_t>(channels_));
  Put32(&h[24], static_cast<uint32_t>(sampleRate_));
  Put32(&h[28], static_cast<uint32_t>(sampleRate_) * blockAlign);
  Put16(&h[32], blockAlign);
  Put16(&h[34], 16);
  std::memcpy(&h[36], "data", 4);
  Put32(&h[40], dataBytes_);
  if (std::fseek(file_, 0, SEEK_SET) != 0) return false;
  if (std::fwrite(h.data(), 1, h.size(), file_) != h.size()) return false;
  return std::fseek(file_, 0, SEEK_END) == 0;
}

bool WavFile::Append(const int16_t* samples, int frames) {
  if (!file_ || failed_ || frames <= 0) return file_ && !failed_;
  const size_t values = static_cast<size_t>(frames) * static_cast<size_t>(channels_);
  if (values * 2 > kMaxDataBytes - dataBytes_) {
    failed_ = true;
    return false;
  }
  // WAV samples are little-endian, as are the machines this builds for.
  if (std::fwrite(samples, 2, values, file_) != values) {
    failed_ = true;
    return false;
  }
  dataBytes_ += static_cast<uint32_t>(values * 2);
  if (!WriteHeader() || std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

void WavFile::Close() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

} // namespace ikea
