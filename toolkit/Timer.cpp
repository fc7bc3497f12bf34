#include "toolkit/Timer.h"

#include "toolkit/Handlers.h"

namespace ikea::tk {

Timer::Timer(int intervalMs, bool enabled) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(intervalMs);
  // Qt never re-enters the slot of a running timer, so the slot only queues
  // the event and returns; the queue delivers it, in nested loops as well.
  QObject::connect(&timer_, &QTimer::timeout, &receiver_, [this] { Queue(); });
  if (enabled) timer_.start();
}

void Timer::SetInterval(int intervalMs) { timer_.setInterval(intervalMs); }

void Timer::SetEnabled(bool enabled) {
  if (enabled && !timer_.isActive()) timer_.start();
  if (!enabled) timer_.stop();
}

void Timer::Queue() {
  if (queued_) return;
  queued_ = true;
  QMetaObject::invokeMethod(
      &receiver_,
      [this] {
        queued_ = false;
        if (timer_.isActive()) Fire();
      },
      Qt::QueuedConnection);
}

void Timer::Fire() {
  if (reportingError_) return;
  auto error = CatchError(onTimer);
  if (!error) return;
  reportingError_ = true;
  ReportError(*error);
  reportingError_ = false;
}

}  // namespace ikea::tk
