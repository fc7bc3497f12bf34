#include "game/GameFolder.h"

#include <system_error>

#include "game/Cp932.h"

namespace ikea {

std::filesystem::path GamePath(const std::filesystem::path& folder, const Text& cp932Relative) {
  // Convert first: a cp932 trail byte may be 0x5C and is no separator.
  std::string relative = Cp932ToUtf8(cp932Relative);
  for (char& c : relative)
    if (c == '\\') c = '/';
  const auto firstNonSeparator = relative.find_first_not_of('/');
  relative.erase(0, firstNonSeparator == std::string::npos ? relative.size() : firstNonSeparator);
  return folder / std::filesystem::path(relative);
}

std::filesystem::path ExecutableFolder() {
  // Throws when /proc is unavailable: guessing the current directory would
  // quietly read and write the wrong save file.
  return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

} // namespace ikea
