#pragma once
// The fuzz harnesses, renamed so they link side by side, and the inputs kept
// for each of them.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" {
int ReplayFuzzBmp(const std::uint8_t* data, std::size_t size);
int ReplayFuzzJpeg(const std::uint8_t* data, std::size_t size);
int ReplayFuzzProfile(const std::uint8_t* data, std::size_t size);
int ReplayFuzzSaveFile(const std::uint8_t* data, std::size_t size);
int ReplayFuzzGameData(const std::uint8_t* data, std::size_t size);
int ReplayFuzzWaveFile(const std::uint8_t* data, std::size_t size);
}

namespace ikea::fuzzregress {

// Hand-made seeds, each a valid input of its reader.
inline std::filesystem::path SeedFolder(const std::string& target) {
  return std::filesystem::path(IKEASOBI_SOURCE_DIR) / "fuzz" / "corpus" / target;
}

// What fuzzing campaigns found that reached new code, minimised: valid or not.
inline std::filesystem::path FindsFolder(const std::string& target) {
  return std::filesystem::path(IKEASOBI_SOURCE_DIR) / "fuzz" / "finds" / target;
}

inline std::vector<std::uint8_t> ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Empty when the folder does not exist.
inline std::vector<std::filesystem::path> FilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  if (!std::filesystem::is_directory(folder)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.is_regular_file()) files.push_back(entry.path());
  return files;
}

// Every input kept for a target: its seeds and its finds.
inline std::vector<std::filesystem::path> KeptInputs(const std::string& target) {
  std::vector<std::filesystem::path> files = FilesIn(SeedFolder(target));
  for (auto& find : FilesIn(FindsFolder(target))) files.push_back(std::move(find));
  return files;
}

} // namespace ikea::fuzzregress
