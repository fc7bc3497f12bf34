#include "sound/QtMixerMessages.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <stdexcept>

namespace ikea {
namespace {

int64_t SteadyMicroseconds() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

} // namespace

QtMixerMessages::QtMixerMessages() : ring_(kCapacity) {
  targets_.reserve(16);
  wakeFd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wakeFd_ < 0) throw std::runtime_error("Cannot create the mixer's message queue");
  notifier_ = std::make_unique<QSocketNotifier>(wakeFd_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { DeliverPending(); });
  // The notifier guards itself with a weak pointer on every activation; its
  // count block, made here once, stays with the object, so no delivery
  // allocates.
  QPointer<QSocketNotifier> guard(notifier_.get());
}

QtMixerMessages::~QtMixerMessages() {
  notifier_.reset();
  ::close(wakeFd_);
}

pcmmix::WindowHandle QtMixerMessages::CreateTarget(pcmmix::MessageHandler* handler) {
  if (!handler) return 0;
  std::lock_guard lock(mutex_);
  pcmmix::WindowHandle handle = nextHandle_++;
  if (nextHandle_ == 0) nextHandle_ = 1;
  targets_.emplace(handle, handler);
  return handle;
}

void QtMixerMessages::DestroyTarget(pcmmix::WindowHandle target) {
  std::lock_guard lock(mutex_);
  targets_.erase(target); // its queued messages are skipped when delivered
}

bool QtMixerMessages::Post(pcmmix::WindowHandle target, uint32_t message, uintptr_t wParam,
                           uintptr_t lParam) {
  bool wake;
  {
    std::lock_guard lock(mutex_);
    if (!targets_.contains(target)) return false;
    if (count_ == ring_.size()) {
      refusedWhenFull_.fetch_add(1, std::memory_order_relaxed);
      return false;
    }
    ring_[(head_ + count_) % ring_.size()] = {target, message, wParam, lParam, SteadyMicroseconds()};
    ++count_;
    wake = !wakePending_;
    wakePending_ = true;
  }
  if (wake) {
    uint64_t one = 1;
    // Cannot fail short of a closed descriptor: the counter never nears its limit.
    [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
  }
  return true;
}

bool QtMixerMessages::TakeFront(Message& out, pcmmix::MessageHandler*& handler) {
  std::lock_guard lock(mutex_);
  while (count_ > 0) {
    out = ring_[head_];
    head_ = (head_ + 1) % ring_.size();
    --count_;
    auto it = targets_.find(out.target);
    if (it != targets_.end()) {
      handler = it->second;
      return true;
    }
  }
  return false;
}

void QtMixerMessages::DeliverPending() {
  uint64_t woken;
  [[maybe_unused]] ssize_t n = ::read(wakeFd_, &woken, sizeof woken);
  size_t batch;
  {
    std::lock_guard lock(mutex_);
    // Posts from here on wake the loop again, so none is left waiting.
    wakePending_ = false;
    batch = count_;
  }
  // Messages posted by the handlers themselves wait for the next round, as
  // posted messages do.
  Message m;
  pcmmix::MessageHandler* handler = nullptr;
  for (size_t i = 0; i < batch && TakeFront(m, handler); ++i) {
    answers_.Add(SteadyMicroseconds() - m.postedUs);
    handler->WindowProc(m.message, m.wParam, m.lParam);
  }
}

} // namespace ikea
