#pragma once
// A one-line edit of cp932 text. Its length limit is counted in cp932 bytes
// (a full-width character takes two) and applies to what is typed or
// pasted, not to texts set by the program; characters that cp932 cannot
// hold are refused. Input-method text is committed as far as it fits.
#include <QLineEdit>
#include <functional>

#include "base/Text.h"

namespace ikea::tk {

class Edit : public QLineEdit {
public:
  explicit Edit(QWidget* parent);

  void SetText(const Text& cp932Text);
  Text GetText() const;

  // 0 means no limit.
  void SetMaxBytes(int bytes) { maxBytes_ = bytes; }
  int MaxBytes() const { return maxBytes_; }

  // Whether the edit may change from its current text to `candidate`.
  bool Accepts(const QString& candidate) const;

  // Called on every change of the text, typed or set.
  std::function<void()> onChange;

protected:
  void inputMethodEvent(QInputMethodEvent* event) override;

private:
  // The longest front part of `inserted` that may replace the selection.
  QString FittingPart(const QString& inserted) const;

  int maxBytes_ = 0;
  QString accepted_;  // the text before the change being checked
};

}  // namespace ikea::tk
