#pragma once
// What the fuzz targets share: a private scratch folder for readers that
// only take a path.
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace ikea::fuzz {

// One folder per process, in memory where the machine has /dev/shm, so the
// file readers don't wear the disk at thousands of runs a second. It stays
// for the life of the process; every run overwrites the same files.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
    std::filesystem::path f = base / ("ikeasobi-fuzz-" + std::to_string(::getpid()));
    std::filesystem::create_directories(f);
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return f;
  }();
  return folder;
}

inline void WriteBytes(const std::filesystem::path& file, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) __builtin_trap();  // a harness that cannot write its input proves nothing
}

}  // namespace ikea::fuzz
