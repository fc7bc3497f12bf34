// Loading a RIFF WAVE file or memory image into the session's output format.
#include <cstring>
#include <memory>
#include <new>

#include "pcmmix/MixState.h"
#include "pcmmix/RiffReader.h"

namespace pcmmix {
namespace {

// Error number given for a memory image that cannot be opened.
constexpr int kMemoryOpenError = 259;
// Above this a data chunk is refused as memory we will not give.
constexpr uint64_t kMaxDataBytes = 512u << 20;

void SetLabel(LoadedWave& wave, const char* name) {
  if (name) std::strncpy(wave.label, name, sizeof wave.label - 1);
}

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

WaveFormat ReadFormat(RiffReader& riff, const RiffChunk& fmt) {
  uint8_t raw[16];
  if (fmt.size < sizeof raw || riff.Read(fmt, raw, sizeof raw) != sizeof raw)
    Fail(text::kReadFormat);
  WaveFormat f;
  f.formatTag = Le16(raw);
  f.channels = Le16(raw + 2);
  f.samplesPerSec = Le32(raw + 4);
  f.avgBytesPerSec = Le32(raw + 8);
  f.blockAlign = Le16(raw + 12);
  f.bitsPerSample = Le16(raw + 14);
  return f;
}

std::vector<uint8_t> ReadData(RiffReader& riff, const RiffChunk& data) {
  if (data.size == 0) Fail(text::kEmptyData);
  // A size the file claims but does not hold is never allocated.
  if (riff.AvailableBytes(data) < data.size) Fail(text::kReadData);
  if (data.size > kMaxDataBytes) Fail(text::kNoMemory);
  std::vector<uint8_t> bytes;
  try {
    bytes.resize(data.size);
  } catch (const std::bad_alloc&) {
    Fail(text::kNoMemory);
  }
  if (riff.Read(data, bytes.data(), bytes.size()) != bytes.size()) Fail(text::kReadData);
  return bytes;
}

// Channel counts the conversion handles; the bit depth is checked by it.
void CheckConvertible(const WaveFormat& f) {
  if (f.channels < 1 || f.channels > 2 || f.samplesPerSec == 0) Fail(text::kNotSupported);
}

void LoadFromSource(MixSession& s, ByteSource& source, LoadedWave& wave) {
  RiffReader riff(source);
  RiffChunk form, fmt, data;
  if (!riff.FindForm(FourCc("WAVE"), form)) Fail(text::kNotWave);
  if (!riff.FindChunk(form, FourCc("fmt "), 0, fmt)) Fail(text::kCorrupted);
  wave.format = ReadFormat(riff, fmt);
  if (wave.format.formatTag != kFormatPcm) Fail(text::kNotPcm);
  if (!riff.FindChunk(form, FourCc("data"), RiffReader::NextOffset(fmt), data))
    Fail(text::kNoDataChunk);
  std::vector<uint8_t> samples = ReadData(riff, data);
  CheckConvertible(wave.format);
  samples = ConvertFormat(s.format, wave.format, std::move(samples));
  // Whole output frames only, so a later play keeps the channels in step.
  size_t frame = s.format.blockAlign ? s.format.blockAlign : 1;
  samples.resize(samples.size() - samples.size() % frame);
  if (samples.empty()) Fail(text::kNoMemory);
  wave.length = int32_t(samples.size());
  wave.samples = std::move(samples);
}

std::unique_ptr<LoadedWave> NewWave() {
  std::unique_ptr<LoadedWave> wave(new (std::nothrow) LoadedWave());
  if (!wave) Fail(text::kNoMemory);
  return wave;
}

MixSession& PrepareLoad(hMixSession session) {
  MixSession& s = ValidateSession(session);
  MixerUnit& u = Unit();
  u.current = &s;
  if (u.waveSystem->QueryFormat(s.deviceNumber, s.format) != 0) Fail(text::kCantPlayFormat);
  return s;
}

bool IsResourceNumber(const char* name) { return (reinterpret_cast<uintptr_t>(name) >> 16) == 0; }

} // namespace

LoadedWave* PcmMixWaveLoad(hMixSession session, const char* name, const void* module,
                           uint32_t flags) {
  (void)module;
  if (flags & WaveFromMemory && !(flags & WaveFromResource)) {
    MemoryFile memory;
    if (name) memory = *reinterpret_cast<const MemoryFile*>(name);
    return PcmMixWaveLoad(session, memory);
  }
  MixSession& s = PrepareLoad(session);
  std::unique_ptr<LoadedWave> wave = NewWave();
  if (flags & WaveFromResource) {
    // There are no program resources to load from here.
    if (IsResourceNumber(name))
      Fail(text::kOpenResource + std::to_string(reinterpret_cast<uintptr_t>(name) & 0xFFFF));
    Fail(std::string(text::kOpenResource) + name);
  }
  FileByteSource file;
  if (!name || !file.Open(name)) Fail(std::string(text::kOpenFile) + (name ? name : ""));
  LoadFromSource(s, file, *wave);
  SetLabel(*wave, name);
  return wave.release();
}

LoadedWave* PcmMixWaveLoad(hMixSession session, const MemoryFile& memory) {
  MixSession& s = PrepareLoad(session);
  std::unique_ptr<LoadedWave> wave = NewWave();
  if (!memory.buffer)
    Fail(text::kOpenMemory1 + std::to_string(kMemoryOpenError) + text::kOpenMemory2);
  MemoryByteSource source(memory.buffer, memory.size);
  LoadFromSource(s, source, *wave);
  SetLabel(*wave, memory.name);
  return wave.release();
}

} // namespace pcmmix
