#include "game/GameFolder.h"

#include <system_error>

#include "base/Cp932.h"

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

#include <unistd.h>

namespace ikea {
namespace {

namespace fs = std::filesystem;

fs::path AssetFolder(const fs::path& exeFolder) {
  std::error_code ec;
  if (fs::is_directory(exeFolder / "cg", ec)) return exeFolder;
  fs::path installed = exeFolder.parent_path() / "share" / "games" / "ikeasobi";
  if (fs::is_directory(installed / "cg", ec)) return installed;
  return exeFolder;  // the missing files are reported when they are read
}

bool Writable(const fs::path& folder) {
  return ::access((folder / "dat").c_str(), W_OK) == 0;
}

fs::path UserDataFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome && *xdgDataHome == '/') return fs::path(xdgDataHome) / "ikeasobi";
  if (home && *home) return fs::path(home) / ".local" / "share" / "ikeasobi";
  return {};
}

// Copies the installed file into the user's folder unless one is there: the
// player's save is never replaced.
void SeedOnce(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::exists(to, ec) || !fs::exists(from, ec)) return;
  fs::copy_file(from, to, ec);
  if (!ec) fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
}

} // namespace

GameFolders ResolveGameFolders(const fs::path& exeFolder, const char* xdgDataHome, const char* home) {
  GameFolders folders;
  folders.assets = AssetFolder(exeFolder);
  folders.saves = folders.assets;
  // An installed game (data apart from the program) never writes into its
  // installation, even for root; a game folder of its own is used in place.
  const bool installed = folders.assets != exeFolder;
  if (!installed && Writable(folders.assets)) return folders;

  fs::path user = UserDataFolder(xdgDataHome, home);
  if (user.empty()) return folders;
  std::error_code ec;
  fs::create_directories(user / "dat", ec);
  if (ec) return folders;
  SeedOnce(folders.assets / "dat" / "my.dat", user / "dat" / "my.dat");
  SeedOnce(folders.assets / "dat" / "name.dat", user / "dat" / "name.dat");
  folders.saves = user;
  return folders;
}

} // namespace ikea
