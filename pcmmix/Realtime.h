#pragma once
// The device's feeder keeps the output's short buffer full; on a busy
// machine an ordinary thread can be kept waiting longer than that buffer
// lasts, and the output runs dry. Where the system allows it (root, or a
// user with a real-time limit such as the audio group's), the feeder runs
// round-robin at a low real-time priority, below the sound server's own.
#include <sys/types.h>

#include <vector>

namespace pcmmix {

// Below a sound server's usual priorities, above every ordinary thread.
constexpr int kFeederPriority = 5;

// Applies to the calling thread, not to children it forks. False (and the
// thread as it was) when the system refuses.
bool RaiseThreadToRealtime(int priority);

// The threads of this process, by kernel thread id.
std::vector<pid_t> ThreadsOfThisProcess();

// Raises every thread of this process that is not among `before`; how many
// were raised.
int RaiseThreadsStartedSince(const std::vector<pid_t>& before, int priority);

} // namespace pcmmix
