#pragma once
// The mixer's posted messages carried as Qt events. A target is a QObject
// living on the GUI thread; a post from any thread becomes a posted event
// whose handler runs there, in the window's own message loop. This header
// holds no Qt so that cp932 sources can include it.
#include <memory>
#include <mutex>
#include <unordered_map>

#include "pcmmix/MessageQueue.h"

class QObject;

namespace ikea {

class QtMixerMessages final : public pcmmix::MessageQueue {
public:
  QtMixerMessages();
  // Destroys the targets still alive; their pending messages are dropped.
  ~QtMixerMessages() override;
  QtMixerMessages(const QtMixerMessages&) = delete;
  QtMixerMessages& operator=(const QtMixerMessages&) = delete;

  pcmmix::WindowHandle CreateTarget(pcmmix::MessageHandler* handler) override;
  void DestroyTarget(pcmmix::WindowHandle target) override;
  bool Post(pcmmix::WindowHandle target, uint32_t message, uintptr_t wParam,
            uintptr_t lParam) override;

private:
  std::mutex mutex_; // guards targets_ against posts from device threads
  std::unordered_map<pcmmix::WindowHandle, QObject*> targets_;
  pcmmix::WindowHandle nextHandle_ = 1;
};

} // namespace ikea
