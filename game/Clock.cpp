#include "game/Clock.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace ikea {
namespace {

constexpr long long kMillisecondsPerDay = 86'400'000;

// Days from 1970-01-01 to a proleptic Gregorian date (<chrono> cannot be
// used here: its headers do not compile with cp932 literals).
long long DaysFromCivil(long long year, unsigned month, unsigned day) {
  year -= month <= 2;
  const long long era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
  const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

// Day number of a civil date, counted from the day count's origin 1899-12-30.
double DaysSinceOrigin(int year, unsigned month, unsigned day) {
  return static_cast<double>(DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30));
}

// Milliseconds into the day of a date-time. Days before the origin count
// their time of day from the fraction's magnitude, as the day count defines.
long long MillisecondsOfDay(double dateTime) {
  if (!std::isfinite(dateTime)) return 0;
  const double fraction = std::fmod(std::fabs(dateTime), 1.0);
  return std::llround(fraction * static_cast<double>(kMillisecondsPerDay)) % kMillisecondsPerDay;
}

} // namespace

double SystemClock::Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::tm local{};
  localtime_r(&now.tv_sec, &local);
  const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                         static_cast<double>(now.tv_nsec) / 1e9;
  return DaysSinceOrigin(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                         static_cast<unsigned>(local.tm_mday)) +
         seconds / kSecondsPerDay;
}

Text TimeText(double dateTime) {
  const long long ms = MillisecondsOfDay(dateTime);
  const long long totalSeconds = ms / 1000;
  char text[64];
  std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", totalSeconds / 3600, totalSeconds / 60 % 60,
                totalSeconds % 60);
  return text;
}

} // namespace ikea
