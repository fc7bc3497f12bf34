// How late a thread at the effects feeder's real-time priority wakes from
// 1 ms sleeps, and how much of the machine's CPU time its host took
// meanwhile (steal, on a virtual machine). Run beside a sound test, it tells
// a dropout the program caused from one the machine caused: the output's
// buffer holds 12 ms, so a feeder woken later than that cannot keep it full
// whatever the program does.
//   wakeup_lateness SECONDS
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "pcmmix/Realtime.h"

namespace {

using Clock = std::chrono::steady_clock;

struct CpuTimes {
  unsigned long long total = 0, steal = 0;
};

// The machine's "cpu" line: user nice system idle iowait irq softirq steal.
CpuTimes ReadCpuTimes() {
  std::ifstream in("/proc/stat");
  std::string label;
  in >> label;
  CpuTimes t;
  for (int field = 0; field < 8; ++field) {
    unsigned long long v = 0;
    if (!(in >> v)) break;
    t.total += v;
    if (field == 7) t.steal = v;
  }
  return t;
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: wakeup_lateness SECONDS\n");
    return 2;
  }
  const auto seconds = std::chrono::duration<double>(std::stod(argv[1]));
  const bool realtime = pcmmix::RaiseThreadToRealtime(pcmmix::kFeederPriority);
  const CpuTimes before = ReadCpuTimes();
  std::vector<double> late;
  const Clock::time_point end = Clock::now() + std::chrono::duration_cast<Clock::duration>(seconds);
  for (Clock::time_point asleep = Clock::now(); asleep < end; asleep = Clock::now()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    late.push_back(Ms(Clock::now() - asleep) - 1.0);
  }
  const CpuTimes after = ReadCpuTimes();
  if (late.empty()) return 1;
  std::sort(late.begin(), late.end());
  const auto over = [&](double ms) { return late.end() - std::upper_bound(late.begin(), late.end(), ms); };
  const unsigned long long total = after.total - before.total;
  std::printf("a thread at the feeder's priority (%s) woke %zu times: 99 %% within %.1f ms, the latest %.1f ms late, "
              "%td times over 10 ms; the host took %.1f %% of the CPU time (steal)\n",
              realtime ? "real-time" : "refused, ordinary", late.size(), late[late.size() * 99 / 100], late.back(),
              over(10.0), total ? 100.0 * double(after.steal - before.steal) / double(total) : 0.0);
  return 0;
}
