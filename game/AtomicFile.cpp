#include "game/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace ikea {
namespace {

// Runs the file calls for one replacement and removes the temporary file
// unless it has become the target.
class Replacement {
public:
  Replacement(const FileReplaceCalls& calls, const std::filesystem::path& target)
      : calls_(calls), target_(target) {}
  ~Replacement() {
    if (fd_ >= 0) calls_.close(fd_);
    if (created_ && !renamed_) ::unlink(temporary_.c_str());
  }
  Replacement(const Replacement&) = delete;
  Replacement& operator=(const Replacement&) = delete;

  void Run(std::string_view bytes) {
    Create();
    WriteAll(bytes);
    if (calls_.fsync(fd_) != 0) Fail("cannot flush ", temporary_);
    const int fd = fd_;
    fd_ = -1;
    if (calls_.close(fd) != 0) Fail("cannot close ", temporary_);
    if (calls_.rename(temporary_.c_str(), target_.c_str()) != 0) Fail("cannot replace ", target_);
    renamed_ = true;
    SyncFolder();
  }

private:
  // O_EXCL refuses any name that exists, a link included, so nothing but the
  // file made here is ever written; a taken name is tried again under another.
  void Create() {
    static constexpr int kNamesTried = 64;
    std::random_device entropy;
    for (int attempt = 0; attempt < kNamesTried; ++attempt) {
      temporary_ = TemporaryName(entropy());
      fd_ = calls_.open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        created_ = true;
        return;
      }
      if (errno != EEXIST) break;
    }
    Fail("cannot create ", temporary_, true);
  }

  // "my.dat" becomes "my.dat.tmp-" and eight hex digits, beside it.
  std::filesystem::path TemporaryName(unsigned draw) const {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string ending = ".tmp-";
    for (int digit = 0; digit < 8; ++digit) ending += kHex[(draw >> (4 * digit)) & 0xf];
    std::filesystem::path name = target_;
    name += ending;
    return name;
  }

  void WriteAll(std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t wrote = calls_.write(fd_, bytes.data() + done, bytes.size() - done);
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote < 0) Fail("cannot write ", temporary_);
      if (wrote == 0) {  // a regular file takes nothing more only when full
        errno = ENOSPC;
        Fail("cannot write ", temporary_);
      }
      done += static_cast<std::size_t>(wrote);
    }
  }

  // Makes the rename itself durable; the new file is complete either way.
  void SyncFolder() {
    const int dir = ::open(target_.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
  }

  // errno is read before the message is built, which may allocate.
  [[noreturn]] static void Fail(const char* what, const std::filesystem::path& path, bool creating = false) {
    const int error = errno;
    std::string message(what);
    message += path.native();
    throw FileReplaceError(error, creating, message);
  }

  const FileReplaceCalls& calls_;
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  int fd_ = -1;
  bool created_ = false;
  bool renamed_ = false;
};

} // namespace

FileReplaceCalls FileReplaceCalls::System() {
  return FileReplaceCalls{
      [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
      [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
      [](int fd) { return ::fsync(fd); },
      [](int fd) { return ::close(fd); },
      [](const char* from, const char* to) { return ::rename(from, to); },
  };
}

void ReplaceFileAtomically(const std::filesystem::path& target, std::string_view bytes,
                           const FileReplaceCalls& calls) {
  Replacement(calls, target).Run(bytes);
}

} // namespace ikea
