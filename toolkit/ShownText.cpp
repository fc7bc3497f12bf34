#include "toolkit/ShownText.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "toolkit/TextCodec.h"

namespace ikea::tk {
namespace {

const Translator* current = nullptr;

}  // namespace

void SetTranslator(const Translator* translator) { current = translator; }

Text Translated(const Text& cp932, TextKind kind) {
  if (!current || kind == TextKind::Name) return cp932;
  return current->Translate(cp932, kind);
}

QString ShownText(const Text& cp932, TextKind kind) { return DisplayText(Translated(cp932, kind)); }

void RetranslateWidgets() {
  // A widget hands the event on to its children.
  for (QWidget* top : QApplication::topLevelWidgets()) {
    QEvent event(QEvent::LanguageChange);
    QCoreApplication::sendEvent(top, &event);
  }
}

}  // namespace ikea::tk
