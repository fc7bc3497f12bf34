#include "ui/FrameLog.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <fstream>

namespace ikea {
namespace {

// Sees the first paint of a shown window, then writes the time once that
// paint has run (the next turn of the loop) and steps aside.
class FirstFrameWatch : public QObject {
public:
  explicit FirstFrameWatch(std::string path) : path_(std::move(path)) {}

protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      auto* widget = qobject_cast<QWidget*>(object);
      if (widget && widget->window()->isVisible()) {
        seen_ = true;
        QTimer::singleShot(0, this, [this] { Write(); });
      }
    }
    return false;
  }

private:
  void Write() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::ofstream(path_) << std::chrono::duration_cast<std::chrono::milliseconds>(now).count() << '\n';
    qApp->removeEventFilter(this);
    deleteLater();
  }

  std::string path_;
  bool seen_ = false;
};

} // namespace

void StartFirstFrameLog(const std::string& path) {
  if (path.empty()) return;
  qApp->installEventFilter(new FirstFrameWatch(path));
}

} // namespace ikea
