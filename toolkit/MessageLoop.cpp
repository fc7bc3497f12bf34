#include "toolkit/MessageLoop.h"

#include <QCoreApplication>
#include <QEvent>

namespace ikea::tk {

void ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // Repaints asked for by the events just handled.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

}  // namespace ikea::tk
