#include "toolkit/PictureBox.h"

#include <QPainter>

#include "toolkit/Handlers.h"
#include "toolkit/PictureFile.h"

namespace ikea::tk {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), canvas_([this]() -> QImage& { return CanvasTarget(); }, [this] { update(); }) {}

void PictureBox::LoadPicture(const std::filesystem::path& file) { SetPicture(LoadPictureFile(file)); }

void PictureBox::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  Fit();
  update();
}

void PictureBox::SetAutoSize(bool autoSize) {
  autoSize_ = autoSize;
  Fit();
}

void PictureBox::Fit() {
  if (autoSize_ && !picture_.isNull()) resize(picture_.size());
}

QImage& PictureBox::CanvasTarget() {
  if (picture_.isNull() && width() > 0 && height() > 0) {
    picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
  }
  return picture_;
}

void PictureBox::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, picture_);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  event->accept();
  pressed_ = event->button() == Qt::LeftButton;
  if (onMouseDown) {
    QPoint at = event->position().toPoint();
    MouseButton button = ButtonOf(event);
    RunHandler([&] { onMouseDown(button, at.x(), at.y()); });
  }
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  bool wasPressed = pressed_;
  pressed_ = false;
  if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    RunHandler(onClick);
}

}  // namespace ikea::tk
