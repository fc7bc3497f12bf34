// The command-line player: what it captures is exactly the clipped sum of the
// converted waves, as the reference mixer computes it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "pcmmix/PcmMix.h"
#include "pcmmix/kernel/MixSources.h"

namespace fs = std::filesystem;

namespace {

void PutLe(std::vector<uint8_t>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

pcmmix::WaveFormat Pcm(uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t align = uint16_t(channels * bits / 8);
  return {pcmmix::kFormatPcm, channels, rate, rate * align, align, bits};
}

void WriteWav(const fs::path& path, const pcmmix::WaveFormat& f, const std::vector<uint8_t>& data) {
  std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
  PutLe(file, uint32_t(36 + data.size()), 4);
  for (char c : std::string("WAVEfmt ")) file.push_back(uint8_t(c));
  PutLe(file, 16, 4);
  PutLe(file, f.formatTag, 2);
  PutLe(file, f.channels, 2);
  PutLe(file, f.samplesPerSec, 4);
  PutLe(file, f.avgBytesPerSec, 4);
  PutLe(file, f.blockAlign, 2);
  PutLe(file, f.bitsPerSample, 2);
  for (char c : std::string("data")) file.push_back(uint8_t(c));
  PutLe(file, uint32_t(data.size()), 4);
  file.insert(file.end(), data.begin(), data.end());
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), file.size());
}

std::vector<uint8_t> ReadDataChunk(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
  if (file.size() < 44) return {};
  // The data chunk's own size: an odd chunk is followed by a pad byte.
  const size_t size = file[40] | file[41] << 8 | file[42] << 16 | size_t(file[43]) << 24;
  return std::vector<uint8_t>(file.begin() + 44, file.begin() + 44 + std::min(size, file.size() - 44));
}

} // namespace

TEST(PlayTool, captureHoldsTheClippedSumOfTheConvertedWaves) {
  const fs::path dir = fs::temp_directory_path() / "pcmmix-play-tool";
  fs::remove_all(dir);
  fs::create_directories(dir);

  // A loud 8-bit mono wave at the output rate, and a 16-bit stereo wave at
  // twice the rate that goes through every conversion step on its way.
  const pcmmix::WaveFormat monoFormat = Pcm(1, 11025, 8), stereoFormat = Pcm(2, 22050, 16);
  std::vector<uint8_t> mono, stereo;
  for (int i = 0; i < 3000; ++i) mono.push_back(uint8_t(128 + int(120 * std::sin(i / 5.0))));
  for (int i = 0; i < 4000; ++i) {
    PutLe(stereo, uint16_t(int16_t(30000 * std::sin(i / 7.0))), 2);
    PutLe(stereo, uint16_t(int16_t(-25000 * std::sin(i / 9.0))), 2);
  }
  WriteWav(dir / "a.wav", monoFormat, mono);
  WriteWav(dir / "b.wav", stereoFormat, stereo);
  std::ofstream(dir / "empty.ini") << "";

  const std::string command = std::string(PCMMIX_TOOL) + " play --ini " + (dir / "empty.ini").string() +
                              " --output capture:" + (dir / "out.wav").string() + " " +
                              (dir / "a.wav").string() + " " + (dir / "b.wav").string() +
                              "@1 > " + (dir / "log.txt").string();
  ASSERT_EQ(std::system(command.c_str()), 0);

  const pcmmix::WaveFormat output = Pcm(1, 11025, 8);
  const std::vector<uint8_t> a = pcmmix::ConvertFormat(output, monoFormat, mono);
  const std::vector<uint8_t> b = pcmmix::ConvertFormat(output, stereoFormat, stereo);
  ASSERT_EQ(a.size(), 3000u);
  ASSERT_EQ(b.size(), 2000u);

  // Both start at the first output byte; a play sounds up to its last byte,
  // which is left out, and silence follows.
  std::vector<uint8_t> expected(a.size() - 1);
  const uint8_t* both[] = {a.data(), b.data()};
  pcmmix::MixSourcesReference(expected.data(), both, 2, int(b.size() - 1));
  std::copy(a.begin() + (b.size() - 1), a.end() - 1, expected.begin() + (b.size() - 1));

  // The capture keeps real time: whatever silence passed before the first
  // block reached the device stays in front of it.
  std::vector<uint8_t> captured = ReadDataChunk(dir / "out.wav");
  ASSERT_NE(expected.front(), 128);
  const auto firstSound = std::find_if(captured.begin(), captured.end(), [](uint8_t v) { return v != 128; });
  ASSERT_LT(firstSound - captured.begin(), 11025 / 10) << "more than 0.1 s of silence before the sound";
  captured.erase(captured.begin(), firstSound);
  ASSERT_GE(captured.size(), expected.size());
  const auto mismatch = std::mismatch(expected.begin(), expected.end(), captured.begin());
  EXPECT_EQ(mismatch.first, expected.end()) << "first difference at byte " << (mismatch.first - expected.begin())
      << ": " << int(*mismatch.first) << " expected, " << int(*mismatch.second) << " captured";
  for (size_t i = expected.size(); i < captured.size(); ++i) ASSERT_EQ(captured[i], 128) << "byte " << i;
  fs::remove_all(dir);
}
