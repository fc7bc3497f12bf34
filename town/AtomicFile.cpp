#include "town/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ikea {
namespace {

// errno is read before the message is built, which may allocate.
[[noreturn]] void ThrowErrno(const char* what, const std::string& path) {
  const int error = errno;
  std::string message(what);
  message += path;
  throw FileReplaceError(error, false, message);
}

// Owns the temporary file until it is renamed into place.
class TemporaryFile {
public:
  explicit TemporaryFile(const std::filesystem::path& target) {
    std::string name(".");
    name += target.filename().native();
    name += ".XXXXXX";
    std::string pattern = (target.parent_path() / name).native();
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0) {
      const int error = errno;
      std::string message("cannot create a file in ");
      message += target.parent_path().native();
      throw FileReplaceError(error, true, message);
    }
    path_ = pattern;
  }
  ~TemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (!path_.empty()) unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  void Write(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t r = write(fd_, bytes.data() + done, bytes.size() - done);
      if (r < 0 && errno == EINTR) continue;
      if (r < 0) ThrowErrno("cannot write ", path_);
      if (r == 0) {  // a regular file takes nothing more only when full
        errno = ENOSPC;
        ThrowErrno("cannot write ", path_);
      }
      done += static_cast<std::size_t>(r);
    }
  }

  void Commit(const std::filesystem::path& target) {
    if (fchmod(fd_, 0644) != 0) ThrowErrno("cannot set the mode of ", path_);
    if (fsync(fd_) != 0) ThrowErrno("cannot flush ", path_);
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) ThrowErrno("cannot close ", path_);
    if (rename(path_.c_str(), target.c_str()) != 0) ThrowErrno("cannot replace ", target.native());
    path_.clear();
  }

private:
  int fd_ = -1;
  std::string path_;
};

// Makes the rename itself durable; a folder that cannot be flushed does not
// undo the export.
void SyncFolder(const std::filesystem::path& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

} // namespace

void ReplaceFileAtomically(const std::filesystem::path& target, const std::string& bytes) {
  TemporaryFile file(target);
  file.Write(bytes);
  file.Commit(target);
  SyncFolder(target.parent_path());
}

} // namespace ikea
