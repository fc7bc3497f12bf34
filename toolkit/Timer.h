#pragma once
// A timer with the game's original semantics: its event is delivered through
// the message queue, so a handler that is still running (typing a message,
// or holding a modal box open) is entered again from that inner message loop
// when the timer is due. At most one event of a timer waits at a time.
// While the box for an error from its handler is open, the timer holds its
// events back, so a failing tick shows one box rather than a pile of them.
#include <QObject>
#include <QTimer>
#include <functional>

namespace ikea::tk {

class Timer {
public:
  explicit Timer(int intervalMs = 1000, bool enabled = true);

  void SetInterval(int intervalMs);
  int Interval() const { return timer_.interval(); }
  void SetEnabled(bool enabled);
  bool Enabled() const { return timer_.isActive(); }

  // Runs the handler now, as a due event would.
  void Fire();

  std::function<void()> onTimer;

private:
  void Queue();

  QTimer timer_;
  QObject receiver_;  // queued events die with it
  bool queued_ = false;
  bool reportingError_ = false;
};

}  // namespace ikea::tk
