#include "pcmmix/MessageQueue.h"

#include <algorithm>

namespace pcmmix {

PostedMessageQueue::PostedMessageQueue(size_t capacity) : ring_(std::max<size_t>(capacity, 1)) {
  targets_.reserve(16);
}

WindowHandle PostedMessageQueue::CreateTarget(MessageHandler* handler) {
  if (!handler) return 0;
  std::lock_guard lock(mutex_);
  WindowHandle handle = nextHandle_++;
  if (nextHandle_ == 0) nextHandle_ = 1;
  targets_.push_back({handle, handler});
  return handle;
}

void PostedMessageQueue::DestroyTarget(WindowHandle target) {
  std::lock_guard lock(mutex_);
  std::erase_if(targets_, [target](const Target& t) { return t.handle == target; });
}

bool PostedMessageQueue::Post(WindowHandle target, uint32_t message, uintptr_t wParam,
                              uintptr_t lParam) {
  {
    std::lock_guard lock(mutex_);
    if (!HandlerOf(target) || count_ == ring_.size()) return false;
    ring_[(head_ + count_) % ring_.size()] = {target, message, wParam, lParam};
    ++count_;
  }
  arrived_.notify_all();
  return true;
}

MessageHandler* PostedMessageQueue::HandlerOf(WindowHandle target) const {
  for (const Target& t : targets_)
    if (t.handle == target) return t.handler;
  return nullptr;
}

bool PostedMessageQueue::TakeFront(Message& out) {
  std::lock_guard lock(mutex_);
  if (count_ == 0) return false;
  out = ring_[head_];
  head_ = (head_ + 1) % ring_.size();
  --count_;
  return true;
}

int PostedMessageQueue::DispatchPending() {
  size_t toRun;
  {
    std::lock_guard lock(mutex_);
    toRun = count_;
  }
  int handled = 0;
  Message m;
  // Messages posted by the handlers themselves wait for the next round.
  for (size_t i = 0; i < toRun && TakeFront(m); ++i) {
    MessageHandler* handler;
    {
      std::lock_guard lock(mutex_);
      handler = HandlerOf(m.target);
    }
    if (!handler) continue;
    handler->WindowProc(m.message, m.wParam, m.lParam);
    ++handled;
  }
  return handled;
}

int PostedMessageQueue::WaitAndDispatch() {
  {
    std::unique_lock lock(mutex_);
    arrived_.wait(lock, [this] { return count_ > 0; });
  }
  return DispatchPending();
}

size_t PostedMessageQueue::Pending() const {
  std::lock_guard lock(mutex_);
  return count_;
}

} // namespace pcmmix
