#pragma once
// The error a game handler raises for file and picture failures; the window
// shows its text in a message box and the program goes on.
#include <stdexcept>

#include "base/Text.h"

namespace ikea {

class GameError : public std::runtime_error {
public:
  explicit GameError(Text cp932Text) : std::runtime_error(cp932Text), text_(std::move(cp932Text)) {}
  const Text& text() const { return text_; }  // cp932
private:
  Text text_;
};

} // namespace ikea
