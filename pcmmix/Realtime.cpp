#include "pcmmix/Realtime.h"

#include <sched.h>
#include <sys/resource.h>

#include <algorithm>

namespace pcmmix {

bool RaiseThreadToRealtime(int priority) {
  rlimit limit{};
  // Without the capability, the limit caps the priority a user may take.
  if (getrlimit(RLIMIT_RTPRIO, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur > 0)
    priority = std::min<int>(priority, int(limit.rlim_cur));
  sched_param param{};
  param.sched_priority = std::clamp(priority, sched_get_priority_min(SCHED_RR), sched_get_priority_max(SCHED_RR));
  // On Linux the call acts on the calling thread alone.
  return sched_setscheduler(0, SCHED_RR | SCHED_RESET_ON_FORK, &param) == 0;
}

} // namespace pcmmix
