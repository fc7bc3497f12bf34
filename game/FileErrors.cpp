#include "game/FileErrors.h"

#include <cerrno>

#include "game/AtomicFile.h"

namespace ikea {
namespace {

const char* const kNotFound = "ﾌｧｲﾙが見つかりません";
const char* const kInvalidName = "不正なﾌｧｲﾙ名です";
const char* const kAccessDenied = "ﾌｧｲﾙへのｱｸｾｽが拒否されました";
const char* const kDiskFull = "ﾃﾞｨｽｸがいっぱいです";

Text OtherErrorText(int error) { return "I/O ｴﾗｰ (" + n(error) + ")"; }

bool FolderExists(const std::filesystem::path& file) {
  std::error_code ignored;
  return std::filesystem::is_directory(file.parent_path(), ignored);
}

} // namespace

Text OpenErrorText(int error, const std::filesystem::path& file) {
  switch (error) {
    case ENOENT: return FolderExists(file) ? kNotFound : kInvalidName;
    case ENOTDIR:
    case ENAMETOOLONG: return kInvalidName;
    default: return IoErrorText(error);
  }
}

Text IoErrorText(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS: return kAccessDenied;
    case ENOSPC:
    case EDQUOT: return kDiskFull;
    default: return OtherErrorText(error);
  }
}

Text ReplaceErrorText(const FileReplaceError& error, const std::filesystem::path& file) {
  const int code = error.code().value();
  return error.creating() ? OpenErrorText(code, file) : IoErrorText(code);
}

} // namespace ikea
