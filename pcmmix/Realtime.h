#pragma once
// The device's feeder keeps the output's short buffer full; on a busy
// machine an ordinary thread can be kept waiting longer than that buffer
// lasts, and the output runs dry. Where the system allows it (root, or a
// user with a real-time limit such as the audio group's), the feeder runs
// round-robin at a low real-time priority, below the sound server's own.
#include <sys/types.h>

#include <functional>
#include <vector>

namespace pcmmix {

// Below a sound server's usual priorities, above every ordinary thread.
constexpr int kFeederPriority = 5;

// Applies to the calling thread, not to children it forks. False (and the
// thread as it was) when the system refuses.
bool RaiseThreadToRealtime(int priority);

// The threads of this process, by kernel thread id.
std::vector<pid_t> ThreadsOfThisProcess();

// Runs `open` on the calling thread and raises the threads it started, not
// others that appeared meanwhile; how many were raised. A new thread takes
// its starter's name, so while `open` runs the caller wears a name of its
// own: a thread the open started wears it too, or has named itself (a
// sound server's client loop does) with a name no thread had before. A
// thread another thread started meanwhile wears a name from before and
// keeps the ordinary kind, and so does a library thread that names itself
// like one already running.
int RaiseThreadsStartedBy(const std::function<void()>& open, int priority);

} // namespace pcmmix
