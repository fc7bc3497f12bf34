#pragma once
// Runs the Qt event loop, sleeping between events, until a condition holds.
// Work from other threads (a device returning blocks) wakes the loop, so the
// wait lasts as long as that work takes on a busy machine and no longer; the
// limit only stops a hung test.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace ikea::test {

class EventWaiter {
public:
  EventWaiter() { tick_.start(20); } // re-checks when nothing else wakes the loop

  template <typename Done>
  bool Until(Done done, int limitMs = 60000) {
    QDeadlineTimer deadline(limitMs);
    while (!done()) {
      if (deadline.hasExpired()) return false;
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
  }

private:
  QTimer tick_;
};

template <typename Done>
bool RunEventsUntil(Done done, int limitMs = 60000) {
  return EventWaiter().Until(done, limitMs);
}

} // namespace ikea::test
