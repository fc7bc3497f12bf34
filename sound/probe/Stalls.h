#pragma once
// Stalls seen by watch threads, one pinned to each CPU: a stretch in which a
// thread that should have woken did not. When every CPU's thread stood still
// over the same moment, nothing in the machine ran, so no program could have
// kept a sound buffer full through it.
#include <algorithm>
#include <cstddef>
#include <vector>

namespace probe {

struct Stall {
  double from = 0, to = 0;  // ms on one clock shared by all the threads
};

// The stalls of the first CPU's thread that every other CPU's thread was
// stalled for too, at least in part; each as the stretch all of them shared.
inline std::vector<Stall> StallsOnEveryCpu(const std::vector<std::vector<Stall>>& perCpu) {
  std::vector<Stall> shared;
  if (perCpu.empty()) return shared;
  for (Stall s : perCpu.front()) {
    bool everywhere = true;
    for (std::size_t cpu = 1; cpu < perCpu.size() && everywhere; ++cpu) {
      const auto& other = perCpu[cpu];
      const auto overlapping = std::find_if(other.begin(), other.end(),
                                            [&](const Stall& o) { return o.from < s.to && s.from < o.to; });
      everywhere = overlapping != other.end();
      if (everywhere) s = {std::max(s.from, overlapping->from), std::min(s.to, overlapping->to)};
    }
    if (everywhere) shared.push_back(s);
  }
  return shared;
}

}  // namespace probe
