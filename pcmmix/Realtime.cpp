#include "pcmmix/Realtime.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

namespace pcmmix {

namespace {

bool RaiseThread(pid_t thread, int priority) {
  rlimit limit{};
  // Without the capability, the limit caps the priority a user may take.
  if (getrlimit(RLIMIT_RTPRIO, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur > 0)
    priority = std::min<int>(priority, int(limit.rlim_cur));
  sched_param param{};
  param.sched_priority = std::clamp(priority, sched_get_priority_min(SCHED_RR), sched_get_priority_max(SCHED_RR));
  // On Linux the call acts on the one thread it names (0: the caller).
  return sched_setscheduler(thread, SCHED_RR | SCHED_RESET_ON_FORK, &param) == 0;
}

}  // namespace

bool RaiseThreadToRealtime(int priority) { return RaiseThread(0, priority); }

std::vector<pid_t> ThreadsOfThisProcess() {
  std::vector<pid_t> threads;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task", error)) {
    const std::string name = entry.path().filename().string();
    if (!name.empty() && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
      threads.push_back(pid_t(std::stol(name)));
  }
  return threads;
}

namespace {

std::string NameOf(pid_t thread) {
  std::string name;
  std::getline(std::ifstream("/proc/self/task/" + std::to_string(thread) + "/comm"), name);
  return name;
}

template <class T>
bool Holds(const std::vector<T>& v, const T& x) {
  return std::find(v.begin(), v.end(), x) != v.end();
}

} // namespace

int RaiseThreadsStartedBy(const std::function<void()>& open, int priority) {
  const std::vector<pid_t> before = ThreadsOfThisProcess();
  std::vector<std::string> namesBefore;
  for (pid_t thread : before) namesBefore.push_back(NameOf(thread));
  char ownName[16] = {};
  pthread_getname_np(pthread_self(), ownName, sizeof ownName);
  const std::string opening = "pcm-opening";
  pthread_setname_np(pthread_self(), opening.c_str());
  open();
  pthread_setname_np(pthread_self(), ownName);
  int raised = 0;
  for (pid_t thread : ThreadsOfThisProcess()) {
    if (Holds(before, thread)) continue;
    const std::string name = NameOf(thread);
    if ((name == opening || !Holds(namesBefore, name)) && RaiseThread(thread, priority)) ++raised;
  }
  return raised;
}

} // namespace pcmmix
