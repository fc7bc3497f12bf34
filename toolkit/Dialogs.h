#pragma once
// The real modal boxes, captioned with the application's title.
#include <QString>

#include "toolkit/Handlers.h"

class QWidget;

namespace ikea::tk {

class MessageBoxes final : public Dialogs {
public:
  explicit MessageBoxes(QWidget* owner = nullptr) : owner_(owner) {}
  void Inform(const Text& cp932Text) override;
  bool AskYesNo(const Text& cp932Text) override;

private:
  QWidget* owner_;
};

}  // namespace ikea::tk
