#pragma once
// The mixer's posted messages delivered in the window's own message loop. A
// post from any thread goes into a fixed ring and, when the ring was empty,
// wakes the GUI thread through one event descriptor; the GUI thread then runs
// the handlers of what is queued. Posting never allocates, so the device
// thread's "block done" costs no heap traffic while the game plays. This
// header holds no Qt so that cp932 sources can include it.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "pcmmix/MessageQueue.h"
#include "sound/AnswerTimes.h"

class QSocketNotifier;

namespace ikea {

class QtMixerMessages final : public pcmmix::MessageQueue {
public:
  static constexpr size_t kCapacity = 4096;

  // Call on the GUI thread, with the application object alive.
  QtMixerMessages();
  // Pending messages are dropped.
  ~QtMixerMessages() override;
  QtMixerMessages(const QtMixerMessages&) = delete;
  QtMixerMessages& operator=(const QtMixerMessages&) = delete;

  pcmmix::WindowHandle CreateTarget(pcmmix::MessageHandler* handler) override;
  void DestroyTarget(pcmmix::WindowHandle target) override;
  bool Post(pcmmix::WindowHandle target, uint32_t message, uintptr_t wParam,
            uintptr_t lParam) override;

  // GUI thread only: the waits of the messages delivered so far.
  const AnswerTimes& Answers() const { return answers_; }
  // Posts refused because the ring was full (a device offers those again).
  uint64_t RefusedWhenFull() const { return refusedWhenFull_.load(std::memory_order_relaxed); }

private:
  struct Message {
    pcmmix::WindowHandle target;
    uint32_t message;
    uintptr_t wParam;
    uintptr_t lParam;
    int64_t postedUs; // on the steady clock
  };
  void DeliverPending(); // GUI thread, when woken
  bool TakeFront(Message& out, pcmmix::MessageHandler*& handler);

  std::mutex mutex_; // guards everything below but the notifier
  std::unordered_map<pcmmix::WindowHandle, pcmmix::MessageHandler*> targets_;
  std::vector<Message> ring_;
  size_t head_ = 0;
  size_t count_ = 0;
  bool wakePending_ = false; // one wake-up per batch of posts
  pcmmix::WindowHandle nextHandle_ = 1;
  int wakeFd_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  AnswerTimes answers_; // GUI thread only
  std::atomic<uint64_t> refusedWhenFull_{0};
};

} // namespace ikea
