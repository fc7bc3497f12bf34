#pragma once
// The probes' SECONDS argument: a plain decimal number above 0 and at most a
// day, the whole argument and nothing else. Anything else is a usage error.
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <optional>

namespace probe {

inline constexpr double kLongestSeconds = 24 * 60 * 60;

inline std::optional<double> ParseSeconds(const char* text) {
  if (!text || !*text) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  const double seconds = std::strtod(text, &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(seconds)) return std::nullopt;
  if (seconds <= 0 || seconds > kLongestSeconds) return std::nullopt;
  return seconds;
}

}  // namespace probe
