#pragma once
// A game folder of its own for one test, with dat/ inside, removed afterwards.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace ikea::test {

class TempGameFolder {
public:
  TempGameFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "ikeasobi-game-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    std::filesystem::create_directory(dat());
  }
  ~TempGameFolder() {
    std::error_code ignored;
    std::filesystem::permissions(dat(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(root_, ignored);
  }
  TempGameFolder(const TempGameFolder&) = delete;
  TempGameFolder& operator=(const TempGameFolder&) = delete;

  const std::filesystem::path& root() const { return root_; }
  std::filesystem::path dat() const { return root_ / "dat"; }
  std::filesystem::path saveFile() const { return dat() / "my.dat"; }
  std::filesystem::path rivalFile() const { return dat() / "name.dat"; }

  void Write(const std::filesystem::path& file, const std::string& bytes) const {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  std::string Read(const std::filesystem::path& file) const {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // The names in dat/, so a test can tell that no temporary file was left.
  std::vector<std::string> DatNames() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dat())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

private:
  std::filesystem::path root_;
};

} // namespace ikea::test
