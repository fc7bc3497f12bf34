#include "pcmmix/Profile.h"

#include <unistd.h>

#include <cctype>
#include <climits>
#include <fstream>
#include <optional>
#include <strings.h>

namespace pcmmix {
namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

std::optional<std::string> FindValue(std::istream& in, const std::string& section,
                                     const std::string& key) {
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    std::string t = Trim(line);
    if (t.empty() || t[0] == ';') continue;
    if (t[0] == '[') {
      size_t close = t.find(']');
      inSection = SameName(Trim(t.substr(1, close == std::string::npos ? std::string::npos : close - 1)), section);
      continue;
    }
    if (!inSection) continue;
    size_t eq = t.find('=');
    if (eq == std::string::npos || !SameName(Trim(t.substr(0, eq)), key)) continue;
    return Unquote(Trim(t.substr(eq + 1)));
  }
  return std::nullopt;
}

} // namespace

int LeadingInteger(const std::string& value) {
  size_t i = 0;
  bool negative = false;
  if (i < value.size() && (value[i] == '-' || value[i] == '+')) negative = value[i++] == '-';
  long long v = 0;
  for (; i < value.size() && std::isdigit(static_cast<unsigned char>(value[i])); ++i) {
    v = v * 10 + (value[i] - '0');
    if (v > INT_MAX) v = INT_MAX; // saturate rather than wrap on absurd values
  }
  return int(negative ? -v : v);
}

int IniFileProfile::ReadInt(const std::string& section, const std::string& key,
                            int defaultValue) const {
  std::ifstream in(path_);
  if (!in) return defaultValue;
  std::optional<std::string> value = FindValue(in, section, key);
  if (!value || value->empty()) return defaultValue;
  return LeadingInteger(*value);
}

std::string ProgramDirectory() {
  char buffer[4096];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "./";
  std::string path(buffer, size_t(n));
  return path.substr(0, path.find_last_of('/') + 1);
}

std::string DefaultProfilePath() { return ProgramDirectory() + "PCMMIX.INI"; }

} // namespace pcmmix
