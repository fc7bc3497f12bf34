#pragma once
// Every event handler runs through RunHandler: an exception that escapes it
// ends that handler and is shown in a message box with its text, and the
// program goes on.
#include <functional>
#include <optional>

#include "base/Text.h"

namespace ikea::tk {

// The modal boxes: an information box with OK, a Yes/No box with Yes as
// default. Texts are cp932. Tests give their own to answer them.
class Dialogs {
public:
  virtual ~Dialogs() = default;
  virtual void Inform(const Text& cp932Text) = 0;
  virtual bool AskYesNo(const Text& cp932Text) = 0;
};

// Where escaped handler errors are shown; returns the previous one. Without
// one they go to standard error.
Dialogs* SetErrorDialogs(Dialogs* dialogs);

// Runs a handler; an escaping error is reported as above.
void RunHandler(const std::function<void()>& handler);

// Runs a handler and gives back the text of an error that escaped it,
// without showing it.
std::optional<Text> CatchError(const std::function<void()>& handler);

// The text shown for an escaped error (cp932).
Text ErrorText(const std::exception& error);

// Shows an error text where escaped errors go.
void ReportError(const Text& cp932Text);

}  // namespace ikea::tk
