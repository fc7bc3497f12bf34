#include "toolkit/Window.h"

#include <QCloseEvent>

#include "toolkit/Colour.h"
#include "toolkit/Fonts.h"
#include "toolkit/Handlers.h"
#include "toolkit/ShownText.h"

namespace ikea::tk {

Window::Window() : QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowCloseButtonHint) {
  setFont(WindowFont());
  setAutoFillBackground(true);
}

void Window::SetCaption(const Text& cp932Caption) {
  caption_ = cp932Caption;
  setWindowTitle(ShownText(cp932Caption));
}

void Window::SetOuterSize(int width, int height) {
  setFixedSize(std::max(0, width - kFrameWidth), std::max(0, height - kFrameHeight));
}

void Window::SetBackColour(Rgb colour) {
  QPalette p = palette();
  p.setColor(QPalette::Window, ToQColor(colour));
  setPalette(p);
}

void Window::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::LanguageChange) setWindowTitle(ShownText(caption_));
}

void Window::closeEvent(QCloseEvent* event) {
  RunHandler(onClose);
  event->accept();
}

}  // namespace ikea::tk
