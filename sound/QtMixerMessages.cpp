#include "sound/QtMixerMessages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace ikea {
namespace {

int MixerEventType() {
  static const int type = QEvent::registerEventType();
  return type;
}

class MixerEvent final : public QEvent {
public:
  MixerEvent(uint32_t message, uintptr_t wParam, uintptr_t lParam)
      : QEvent(QEvent::Type(MixerEventType())), message(message), wParam(wParam), lParam(lParam) {}
  const uint32_t message;
  const uintptr_t wParam;
  const uintptr_t lParam;
};

class TargetObject final : public QObject {
public:
  explicit TargetObject(pcmmix::MessageHandler* handler) : handler_(handler) {}
  bool event(QEvent* e) override {
    if (e->type() != MixerEventType()) return QObject::event(e);
    auto* m = static_cast<MixerEvent*>(e);
    handler_->WindowProc(m->message, m->wParam, m->lParam);
    return true;
  }

private:
  pcmmix::MessageHandler* handler_;
};

} // namespace

QtMixerMessages::QtMixerMessages() = default;

QtMixerMessages::~QtMixerMessages() {
  std::lock_guard lock(mutex_);
  for (auto& [handle, object] : targets_) delete object;
  targets_.clear();
}

pcmmix::WindowHandle QtMixerMessages::CreateTarget(pcmmix::MessageHandler* handler) {
  if (!handler) return 0;
  auto* object = new TargetObject(handler); // lives on the calling (GUI) thread
  std::lock_guard lock(mutex_);
  pcmmix::WindowHandle handle = nextHandle_++;
  if (nextHandle_ == 0) nextHandle_ = 1;
  targets_.emplace(handle, object);
  return handle;
}

void QtMixerMessages::DestroyTarget(pcmmix::WindowHandle target) {
  QObject* object = nullptr;
  {
    std::lock_guard lock(mutex_);
    auto it = targets_.find(target);
    if (it == targets_.end()) return;
    object = it->second;
    targets_.erase(it);
  }
  // Deleting a QObject drops the events still posted to it.
  delete object;
}

bool QtMixerMessages::Post(pcmmix::WindowHandle target, uint32_t message, uintptr_t wParam,
                           uintptr_t lParam) {
  // Held across postEvent so the target cannot be deleted in between.
  std::lock_guard lock(mutex_);
  auto it = targets_.find(target);
  if (it == targets_.end()) return false;
  QCoreApplication::postEvent(it->second, new MixerEvent(message, wParam, lParam));
  return true;
}

} // namespace ikea
