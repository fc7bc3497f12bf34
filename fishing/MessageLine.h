#pragma once
// The message line: every message is typed out byte by byte into `moji_l`,
// letting the window handle its events after each byte, and then copied to
// `moji_l2` in the tank panel.
#include <cstdint>

#include "base/Text.h"

namespace ikea {

// The two message labels and the window's event pump, as the typing sees them.
class MessageLabels {
public:
  virtual ~MessageLabels() = default;
  virtual void SetMain(const Text& caption) = 0;   // `moji_l`
  virtual Text Main() const = 0;
  virtual void SetCopy(const Text& caption) = 0;   // `moji_l2`
  // Repaints at once and runs every pending event (timers, clicks); a
  // nested message may be typed from in here.
  virtual void RepaintAndProcessMessages() = 0;
  // True once the window is closing: its labels must not be touched again.
  virtual bool IsClosing() const = 0;
};

// Pads a message to an even byte length with one space, so that the last
// typing step never ends inside a double-byte character.
Text PadToEvenLength(const Text& text);

// Types messages into the labels. MessageLock (shared with the game state)
// is 1 after a click on the message line: the messages being typed then
// appear whole at once. -1 switches typing off altogether.
class MessageTyper {
public:
  MessageTyper(MessageLabels& labels, std::int32_t& messageLock)
      : labels_(labels), lock_(messageLock) {}

  // Replaces the message line by the text.
  void TypeMessage(const Text& text);
  // Adds the text as a further line below what the message line shows.
  void TypeMessageLine(const Text& text);

private:
  // Types `text` after `prefix`, ending on prefix + text in both labels.
  void Type(const Text& prefix, const Text& text);
  bool Disabled() const { return lock_ == -1; }
  bool SkipRequested() const { return lock_ == 1; }

  MessageLabels& labels_;
  std::int32_t& lock_;
  int depth_ = 0;  // typings in progress, counting nested ones
};

// A click on `moji_l` or `moji_l2`: shows the message being typed at once.
void moji_lMouseDown(std::int32_t& messageLock);

} // namespace ikea
