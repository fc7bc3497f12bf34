#pragma once
// Posted messages between the device threads and the mixer's thread. A target
// stands for a window: the device posts "block done" to the mixer's callback
// target and the mixer posts completion notices to a client's target. Posting
// is safe from any thread; handlers run on the thread that drains the queue.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace pcmmix {

using WindowHandle = uint32_t; // 0 = none

class MessageHandler {
public:
  virtual ~MessageHandler() = default;
  virtual intptr_t WindowProc(uint32_t message, uintptr_t wParam, uintptr_t lParam) = 0;
};

class MessageQueue {
public:
  virtual ~MessageQueue() = default;
  // Called on the draining thread. 0 when no target can be made.
  virtual WindowHandle CreateTarget(MessageHandler* handler) = 0;
  // Messages still queued for a destroyed target are dropped.
  virtual void DestroyTarget(WindowHandle target) = 0;
  // Any thread. False when the target is unknown or the queue is full.
  virtual bool Post(WindowHandle target, uint32_t message, uintptr_t wParam, uintptr_t lParam) = 0;
};

// Our own queue: a fixed ring (posting never allocates) and a small loop to
// drain it, for the tool, the tests and any host without an event loop.
class PostedMessageQueue final : public MessageQueue {
public:
  explicit PostedMessageQueue(size_t capacity = 4096);

  WindowHandle CreateTarget(MessageHandler* handler) override;
  void DestroyTarget(WindowHandle target) override;
  bool Post(WindowHandle target, uint32_t message, uintptr_t wParam, uintptr_t lParam) override;

  // Runs the handlers of every message queued now; gives the count handled.
  int DispatchPending();
  // Waits until at least one message is queued, then dispatches them.
  int WaitAndDispatch();
  size_t Pending() const;

private:
  struct Message {
    WindowHandle target;
    uint32_t message;
    uintptr_t wParam;
    uintptr_t lParam;
  };
  struct Target {
    WindowHandle handle;
    MessageHandler* handler;
  };
  bool TakeFront(Message& out);
  MessageHandler* HandlerOf(WindowHandle target) const;

  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::vector<Message> ring_;
  size_t head_ = 0;
  size_t count_ = 0;
  std::vector<Target> targets_;
  WindowHandle nextHandle_ = 1;
};

} // namespace pcmmix
