// The probes refuse a SECONDS they cannot use with their usage and status 2.
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "sound/probe/Seconds.h"

namespace {

struct Probe {
  const char* program;
  std::string before, after; // the arguments around SECONDS
};

const std::vector<Probe> kProbes = {
    {IKEASOBI_MIDI_RENDER, "in.mid out.wav", ""},
    {IKEASOBI_WAKEUP_LATENESS, "", ""},
    {IKEASOBI_CUE_LATENCY_PROBE, "PCMMIX.INI", "capture"},
};

int ExitStatus(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ProbeArguments, aSecondsThatIsNoUsableDurationGivesTheUsageAndStatusTwo) {
  for (const Probe& probe : kProbes)
    for (const char* seconds : {"abc", "''", "0", "-2", "5s", "nan", "inf", "1e99"}) {
      const std::string command =
          std::string("'") + probe.program + "' " + probe.before + " " + seconds + " " + probe.after;
      EXPECT_EQ(ExitStatus(command), 2) << command;
    }
}

TEST(ProbeArguments, secondsArePositiveDecimalsUpToADay) {
  const struct {
    const char* text;
    double seconds;
  } kGood[] = {{"60", 60}, {"0.5", 0.5}, {"600", 600}, {"86400", 86400}};
  for (const auto& good : kGood) EXPECT_EQ(probe::ParseSeconds(good.text), good.seconds) << good.text;
  EXPECT_EQ(probe::ParseSeconds("86401"), std::nullopt);
}

}  // namespace
