#pragma once
// Replacing a file whole: the bytes go to a temporary file in the same folder,
// are flushed to disk and then renamed over the target, so a failure leaves
// either the old file or the new one, never a half-written one.
#include <filesystem>
#include <string>

namespace ikea {

// Throws std::system_error when the file cannot be written; the temporary
// file is removed and the target is left as it was.
void ReplaceFileAtomically(const std::filesystem::path& target, const std::string& bytes);

} // namespace ikea
