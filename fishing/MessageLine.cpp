#include "fishing/MessageLine.h"

namespace ikea {
namespace {

// Counts a typing in progress for as long as it runs, however it ends.
class DepthGuard {
public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;
private:
  int& depth_;
};

} // namespace

Text PadToEvenLength(const Text& text) { return text.size() % 2 != 0 ? text + " " : text; }

void MessageTyper::TypeMessage(const Text& text) { Type({}, PadToEvenLength(text)); }

void MessageTyper::TypeMessageLine(const Text& text) {
  if (Disabled() || labels_.IsClosing()) return;
  Text previous = labels_.Main();
  Type(previous.empty() ? Text{} : previous + "\r", PadToEvenLength(text));
}

void MessageTyper::Type(const Text& prefix, const Text& text) {
  if (Disabled() || labels_.IsClosing()) return;
  // A click made while nothing was typing is not meant for this message.
  if (depth_ == 0) lock_ = 0;
  {
    DepthGuard typing(depth_);
    for (std::size_t shown = 0; shown <= text.size() && !SkipRequested(); ++shown) {
      labels_.SetMain(prefix + text.substr(0, shown));
      labels_.RepaintAndProcessMessages();
      if (labels_.IsClosing()) return;
    }
  }
  // Whatever a nested message showed meanwhile, this one ends on its own text.
  labels_.SetMain(prefix + text);
  labels_.SetCopy(prefix + text);
  if (depth_ == 0 && SkipRequested()) lock_ = 0;
}

void moji_lMouseDown(std::int32_t& messageLock) {
  if (messageLock != -1) messageLock = 1;
}

} // namespace ikea
