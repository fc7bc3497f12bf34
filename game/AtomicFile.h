#pragma once
// Replacing a file whole: the bytes go to a temporary file of its own beside
// it, are flushed to disk and then renamed over the target, so a failure
// leaves either the old file or the new one, never a half-written one. The
// temporary name is new for every replacement and is created only where
// nothing (not even a link) stands, so no planted link is written through
// and two games saving at once each rename a whole file of their own. The
// save and the fish data export both write this way.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <system_error>

namespace ikea {

// Why a file could not be replaced: the system error, and whether the file
// could not be created at all or failed later (written, flushed, renamed).
class FileReplaceError : public std::system_error {
public:
  FileReplaceError(int error, bool creating, const std::string& what)
      : std::system_error(error, std::generic_category(), what), creating_(creating) {}
  bool creating() const { return creating_; }

private:
  bool creating_;
};

// The file calls a replacement makes, replaceable so tests can run out of
// disk or be refused. Each reports failure as the system calls do: -1 and errno.
struct FileReplaceCalls {
  std::function<int(const char* path, int flags, mode_t mode)> open;
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  std::function<int(int fd)> fsync;
  std::function<int(int fd)> close;
  std::function<int(const char* from, const char* to)> rename;

  static FileReplaceCalls System();
};

// Writes `bytes` to a new file named after `target` with a unique ending and
// renames that over `target` once it is on disk. Throws FileReplaceError when
// the file cannot be written; the temporary file is removed and the target is
// left as it was.
void ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                           const FileReplaceCalls& calls = FileReplaceCalls::System());

} // namespace ikea
