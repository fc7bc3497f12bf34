// How late threads at the effects feeder's real-time priority, one pinned
// to each CPU, wake from 1 ms sleeps, whether they were late at the same
// moments, and how much of the machine's CPU time its host took meanwhile
// (steal, on a virtual machine). Run beside a sound test, it tells a dropout
// the program caused from one the machine caused: the output's buffer holds
// 12 ms, so a feeder woken later than that cannot keep it full whatever the
// program does, and when every CPU stood still at once nothing ran at all.
//   wakeup_lateness SECONDS
#include <pthread.h>
#include <sched.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "pcmmix/Realtime.h"
#include "sound/probe/Seconds.h"
#include "sound/probe/Stalls.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double kStallMs = 10.0;

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

std::vector<int> AllowedCpus() {
  cpu_set_t set;
  CPU_ZERO(&set);
  std::vector<int> cpus;
  if (sched_getaffinity(0, sizeof set, &set) != 0) return {-1};
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
    if (CPU_ISSET(cpu, &set)) cpus.push_back(cpu);
  return cpus.empty() ? std::vector<int>{-1} : cpus;
}

struct Watch {
  int cpu = -1;
  bool realtime = false;
  std::vector<double> late;
  std::vector<probe::Stall> stalls;
};

void PinToCpu(int cpu) {
  if (cpu < 0) return;
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(cpu, &set);
  pthread_setaffinity_np(pthread_self(), sizeof set, &set);
}

void WatchWakeups(Watch& w, Clock::time_point start, Clock::time_point end) {
  PinToCpu(w.cpu);
  w.realtime = pcmmix::RaiseThreadToRealtime(pcmmix::kFeederPriority);
  for (Clock::time_point asleep = Clock::now(); asleep < end; asleep = Clock::now()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const Clock::time_point woke = Clock::now();
    const double late = Ms(woke - asleep) - 1.0;
    w.late.push_back(late);
    if (late > kStallMs) w.stalls.push_back({Ms(asleep - start) + 1.0, Ms(woke - start)});
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<double> parsed = argc == 2 ? probe::ParseSeconds(argv[1]) : std::nullopt;
  if (!parsed) {
    std::fprintf(stderr, "usage: wakeup_lateness SECONDS\n");
    return 2;
  }
  const auto seconds = std::chrono::duration<double>(*parsed);
  std::vector<Watch> watches;
  for (int cpu : AllowedCpus()) watches.emplace_back().cpu = cpu;
  const CpuTimes before = ReadCpuTimes();
  const Clock::time_point start = Clock::now();
  const Clock::time_point end = start + std::chrono::duration_cast<Clock::duration>(seconds);
  {
    std::vector<std::jthread> threads;
    for (Watch& w : watches) threads.emplace_back([&w, start, end] { WatchWakeups(w, start, end); });
  }
  const CpuTimes after = ReadCpuTimes();

  std::vector<double> late;
  std::vector<std::vector<probe::Stall>> stalls;
  std::string perCpu;
  for (const Watch& w : watches) {
    late.insert(late.end(), w.late.begin(), w.late.end());
    stalls.push_back(w.stalls);
    perCpu += (perCpu.empty() ? "" : ", ") + std::to_string(w.stalls.size()) + " on CPU " + std::to_string(w.cpu);
  }
  if (late.empty()) return 1;
  std::sort(late.begin(), late.end());
  const std::vector<probe::Stall> everywhere = probe::StallsOnEveryCpu(stalls);
  double longest = 0;
  for (const probe::Stall& s : everywhere) longest = std::max(longest, s.to - s.from);
  const bool allRealtime = std::all_of(watches.begin(), watches.end(), [](const Watch& w) { return w.realtime; });
  const unsigned long long total = after.total - before.total;
  std::printf("threads at the feeder's priority (%s), one on each of %zu CPUs, woke %zu times: 99 %% within %.1f ms, "
              "the latest %.1f ms late; over %.0f ms late %s; %zu times every CPU stood still at once (%.1f ms at "
              "longest); the host took %.1f %% of the CPU time (steal)\n",
              allRealtime ? "real-time" : "refused, ordinary", watches.size(), late.size(),
              late[late.size() * 99 / 100], late.back(), kStallMs, perCpu.c_str(), everywhere.size(), longest,
              total ? 100.0 * double(after.steal - before.steal) / double(total) : 0.0);
  return 0;
}
