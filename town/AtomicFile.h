#pragma once
// Replacing a file whole: the bytes go to a temporary file in the same folder,
// are flushed to disk and then renamed over the target, so a failure leaves
// either the old file or the new one, never a half-written one.
#include <filesystem>
#include <string>
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

// Throws FileReplaceError when the file cannot be written; the temporary
// file is removed and the target is left as it was.
void ReplaceFileAtomically(const std::filesystem::path& target, const std::string& bytes);

} // namespace ikea
