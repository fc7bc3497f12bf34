// Conversion of loaded samples to the output format. Each step consumes its
// input and gives a new buffer; an empty result counts as a failure.
#include <algorithm>
#include <cstring>
#include <new>

#include "pcmmix/PcmMix.h"

namespace pcmmix {
namespace {

// Larger results are refused as if memory had run out: an absurd rate in a
// small file must not ask for gigabytes.
constexpr uint64_t kMaxConvertedBytes = 256u << 20;

std::vector<uint8_t> Allocate(uint64_t count) {
  if (count == 0 || count > kMaxConvertedBytes) Fail(text::kNoMemory);
  try {
    return std::vector<uint8_t>(size_t(count));
  } catch (const std::bad_alloc&) {
    Fail(text::kNoMemory);
  }
}

int16_t Sample16(const uint8_t* p) { return int16_t(uint16_t(p[0] | p[1] << 8)); }

void DownSampleFrame(const uint8_t* in, int r, int channels, uint8_t* out) {
  for (int c = 0; c < channels; ++c) {
    int sum = 0;
    for (int k = 0; k < r; ++k) sum += in[k * channels + c] - 128;
    out[c] = uint8_t(128 + sum / r);
  }
}

std::vector<uint8_t> RateUp(const std::vector<uint8_t>& in, uint32_t f, int channels) {
  size_t n = in.size() / size_t(channels);
  std::vector<uint8_t> out = Allocate(uint64_t(n) * f * uint64_t(channels));
  uint8_t* w = out.data();
  for (size_t i = 0; i + 1 < n; ++i) {
    const uint8_t* frame = &in[i * size_t(channels)];
    const uint8_t* next = frame + channels;
    std::memcpy(w, frame, size_t(channels));
    w += channels;
    for (uint32_t k = 1; k < f; ++k)
      for (int c = 0; c < channels; ++c) {
        int d = (int(next[c]) - int(frame[c])) / int(f);
        *w++ = uint8_t(frame[c] + int(k) * d);
      }
  }
  const uint8_t* lastFrame = &in[(n - 1) * size_t(channels)];
  for (uint32_t k = 0; k < f; ++k) {
    std::memcpy(w, lastFrame, size_t(channels));
    w += channels;
  }
  return out;
}

std::vector<uint8_t> RateDown(const std::vector<uint8_t>& in, uint32_t r, int channels) {
  size_t n = in.size() / size_t(channels);
  size_t m = n / r;
  std::vector<uint8_t> out = Allocate(uint64_t(m) * uint64_t(channels));
  const uint8_t* read = in.data();
  uint8_t* w = out.data();
  for (size_t j = 0; j + 1 < m; ++j) {
    DownSampleFrame(read, int(r), channels, w);
    read += size_t(r) * size_t(channels);
    w += channels;
  }
  std::memcpy(w, read, size_t(channels));
  return out;
}

} // namespace

std::vector<uint8_t> ConvertBits(std::vector<uint8_t> samples, int sourceBits, int targetBits) {
  auto supported = [](int bits) { return bits == 8 || bits == 16; };
  if (!supported(sourceBits) || !supported(targetBits)) Fail(text::kNotSupported);
  if (sourceBits == targetBits) return samples;
  size_t n = samples.size() / size_t(sourceBits / 8);
  std::vector<uint8_t> out = Allocate(uint64_t(n) * uint64_t(targetBits / 8));
  if (sourceBits == 16) {
    for (size_t i = 0; i < n; ++i) out[i] = uint8_t((Sample16(&samples[2 * i]) >> 8) + 128);
  } else {
    for (size_t i = 0; i < n; ++i) {
      uint16_t s = uint16_t((int(samples[i]) - 128) * 256);
      out[2 * i] = uint8_t(s);
      out[2 * i + 1] = uint8_t(s >> 8);
    }
  }
  return out;
}

std::vector<uint8_t> ConvertChannels(std::vector<uint8_t> samples, int sourceChannels,
                                     int targetChannels) {
  if (sourceChannels == targetChannels) return samples;
  if (sourceChannels < 1 || sourceChannels > 2 || targetChannels < 1 || targetChannels > 2)
    Fail(text::kNotSupported);
  size_t n = samples.size() / size_t(sourceChannels);
  std::vector<uint8_t> out = Allocate(uint64_t(n) * uint64_t(targetChannels));
  if (sourceChannels == 1) {
    for (size_t i = 0; i < n; ++i) out[2 * i] = out[2 * i + 1] = samples[i];
  } else {
    for (size_t i = 0; i < n; ++i) out[i] = uint8_t((samples[2 * i] + samples[2 * i + 1]) / 2);
  }
  return out;
}

std::vector<uint8_t> ConvertRate(std::vector<uint8_t> samples, uint32_t sourceRate,
                                 uint32_t targetRate, int channels) {
  if (sourceRate == targetRate) return samples;
  if (sourceRate == 0 || targetRate == 0 || channels < 1) Fail(text::kNotSupported);
  if (samples.size() < size_t(channels)) Fail(text::kNoMemory);
  if (sourceRate < targetRate) return RateUp(samples, targetRate / sourceRate, channels);
  uint32_t r = uint32_t((uint64_t(sourceRate) + targetRate / 2) / targetRate);
  return RateDown(samples, r, channels);
}

std::vector<uint8_t> ConvertFormat(const WaveFormat& target, const WaveFormat& source,
                                   std::vector<uint8_t> samples) {
  if (source.channels == target.channels && source.samplesPerSec == target.samplesPerSec &&
      source.bitsPerSample == target.bitsPerSample)
    return samples;
  samples = ConvertBits(std::move(samples), source.bitsPerSample, target.bitsPerSample);
  samples = ConvertChannels(std::move(samples), source.channels, target.channels);
  return ConvertRate(std::move(samples), source.samplesPerSec, target.samplesPerSec,
                     target.channels);
}

} // namespace pcmmix
