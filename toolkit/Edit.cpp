#include "toolkit/Edit.h"

#include <QInputMethodEvent>
#include <QValidator>

#include "toolkit/Handlers.h"
#include "toolkit/TextCodec.h"

namespace ikea::tk {
namespace {

class ByteLimit final : public QValidator {
public:
  explicit ByteLimit(const Edit* edit) : QValidator(nullptr), edit_(edit) {}
  State validate(QString& input, int&) const override { return edit_->Accepts(input) ? Acceptable : Invalid; }

private:
  const Edit* edit_;
};

}  // namespace

Edit::Edit(QWidget* parent) : QLineEdit(parent) {
  auto* limit = new ByteLimit(this);
  limit->setParent(this);
  setValidator(limit);
  connect(this, &QLineEdit::textChanged, this, [this] {
    accepted_ = text();
    RunHandler(onChange);
  });
}

void Edit::SetText(const Text& cp932Text) { setText(DisplayText(cp932Text)); }

Text Edit::GetText() const { return ToCp932(text()).value_or(Text()); }

bool Edit::Accepts(const QString& candidate) const {
  auto bytes = Cp932Length(candidate);
  if (!bytes) return false;
  if (maxBytes_ <= 0 || *bytes <= maxBytes_) return true;
  // A text set longer than the limit may still be shortened.
  return *bytes <= Cp932Length(accepted_).value_or(0);
}

QString Edit::FittingPart(const QString& inserted) const {
  QString before = accepted_;
  int from = hasSelectedText() ? selectionStart() : cursorPosition();
  int length = hasSelectedText() ? static_cast<int>(selectedText().size()) : 0;
  QString fitting;
  for (QChar c : inserted) {
    QString candidate = before;
    candidate.replace(from, length, fitting + c);
    if (!Accepts(candidate)) break;
    fitting += c;
  }
  return fitting;
}

void Edit::inputMethodEvent(QInputMethodEvent* event) {
  if (event->commitString().isEmpty()) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent fitted(event->preeditString(), event->attributes());
  fitted.setCommitString(FittingPart(event->commitString()), event->replacementStart(), event->replacementLength());
  QLineEdit::inputMethodEvent(&fitted);
}

}  // namespace ikea::tk
