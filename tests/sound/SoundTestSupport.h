#pragma once
// A game folder of its own for each test, with WAV and MIDI files in dat/.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/pcmmix/PcmMixTestSupport.h"

namespace ikea::test {

class TempGameFolder {
public:
  TempGameFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = std::filesystem::temp_directory_path() /
            ("ikeasobi-sound-" + std::string(info->test_suite_name()) + "-" + info->name() + "-" +
             std::to_string(::getpid()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_ / "dat");
  }
  ~TempGameFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& Path() const { return path_; }

  void WriteDat(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream out(path_ / "dat" / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  // 8-bit mono at 22050 samples per second: the mixer's own format, so the
  // samples reach the output unchanged.
  void WriteCue(const std::string& name, size_t bytes, uint8_t level) const {
    WriteDat(name, pcmmix::test::WavImage(1, 22050, 8, pcmmix::test::Filled(bytes, level)));
  }
  // A piano note held for a second.
  void WriteNoteTune(const std::string& name) const {
    WriteDat(name, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 16,
                    0, 0xC0, 0, 0, 0x90, 60, 110, 0x81, 0x40, 0x80, 60, 0, 0, 0xFF, 0x2F, 0});
  }
  void WriteTune(const std::string& name) const {
    WriteDat(name, {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                    'M', 'T', 'r', 'k', 0, 0, 0, 4, 0, 0xFF, 0x2F, 0});
  }

private:
  std::filesystem::path path_;
};

} // namespace ikea::test
