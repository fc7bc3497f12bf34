#include "toolkit/Dialogs.h"

#include <QCoreApplication>
#include <QMessageBox>

#include "toolkit/ShownText.h"

namespace ikea::tk {

void MessageBoxes::Inform(const Text& cp932Text) {
  QMessageBox box(QMessageBox::NoIcon, QCoreApplication::applicationName(), ShownText(cp932Text),
                  QMessageBox::Ok, owner_);
  box.exec();
}

bool MessageBoxes::AskYesNo(const Text& cp932Text) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), ShownText(cp932Text),
                  QMessageBox::Yes | QMessageBox::No, owner_);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace ikea::tk
