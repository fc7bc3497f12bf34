#pragma once
// Modal boxes that never block: records every text shown and answers Yes/No
// boxes from a script (Yes when the script is empty). Installs itself as the
// place where escaped handler errors are shown while it lives.
#include <deque>
#include <functional>
#include <vector>

#include "toolkit/Handlers.h"

namespace ikea::test {

class ScriptedDialogs final : public tk::Dialogs {
public:
  ScriptedDialogs() : previous_(tk::SetErrorDialogs(this)) {}
  ~ScriptedDialogs() override { tk::SetErrorDialogs(previous_); }
  ScriptedDialogs(const ScriptedDialogs&) = delete;
  ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

  void Inform(const Text& t) override {
    informed.push_back(t);
    if (whileOpen) whileOpen();
  }
  bool AskYesNo(const Text& t) override {
    asked.push_back(t);
    if (whileOpen) whileOpen();
    if (answers.empty()) return true;
    bool a = answers.front();
    answers.pop_front();
    return a;
  }

  std::vector<Text> informed;
  std::vector<Text> asked;
  std::deque<bool> answers;
  std::function<void()> whileOpen;  // runs while a box "is open"

private:
  tk::Dialogs* previous_;
};

}  // namespace ikea::test
