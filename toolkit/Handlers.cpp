#include "toolkit/Handlers.h"

#include <cstdio>
#include <exception>

#include "base/Cp932.h"
#include "base/GameError.h"
#include "toolkit/TextCodec.h"

namespace ikea::tk {
namespace {

Dialogs* errorDialogs = nullptr;

}  // namespace

Dialogs* SetErrorDialogs(Dialogs* dialogs) {
  Dialogs* previous = errorDialogs;
  errorDialogs = dialogs;
  return previous;
}

Text ErrorText(const std::exception& error) {
  if (auto* game = dynamic_cast<const GameError*>(&error)) return game->text();
  // Other errors carry English or UTF-8 text.
  std::string what = error.what();
  return Utf8ToCp932(what).value_or(what);
}

void ReportError(const Text& cp932Text) {
  if (errorDialogs) {
    errorDialogs->Inform(cp932Text);
  } else {
    std::fprintf(stderr, "%s\n", Cp932ToUtf8(cp932Text).c_str());
  }
}

std::optional<Text> CatchError(const std::function<void()>& handler) {
  if (!handler) return std::nullopt;
  try {
    handler();
  } catch (const std::exception& error) {
    return ErrorText(error);
  } catch (...) {
    return OwnText("不明なエラーです");
  }
  return std::nullopt;
}

void RunHandler(const std::function<void()>& handler) {
  if (auto error = CatchError(handler)) ReportError(*error);
}

}  // namespace ikea::tk
