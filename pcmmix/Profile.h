#pragma once
// Integer keys of an INI profile: sections and keys match without regard to
// case, the value's leading integer counts, a missing key or empty value
// gives the default.
#include <string>

namespace pcmmix {

class ProfileReader {
public:
  virtual ~ProfileReader() = default;
  virtual int ReadInt(const std::string& section, const std::string& key, int defaultValue) const = 0;
};

class IniFileProfile final : public ProfileReader {
public:
  explicit IniFileProfile(std::string path) : path_(std::move(path)) {}
  int ReadInt(const std::string& section, const std::string& key, int defaultValue) const override;
  const std::string& Path() const { return path_; }

private:
  std::string path_;
};

// The leading integer of a profile value ("12abc" gives 12, "abc" gives 0).
int LeadingInteger(const std::string& value);
// The folder of the running program, with a trailing slash.
std::string ProgramDirectory();
// "PCMMIX.INI" beside the program.
std::string DefaultProfilePath();

} // namespace pcmmix
