#include "toolkit/PictureBox.h"

#include <QPainter>
#include <cstring>

#include "toolkit/Handlers.h"
#include "toolkit/PictureFile.h"

namespace ikea::tk {

QRect ChangedRect(const QImage& before, const QImage& after) {
  if (before.size() != after.size() || before.format() != after.format() || before.isNull() ||
      after.depth() % 8 != 0)
    return after.rect();
  const int bytesPerPixel = after.depth() / 8;
  const auto rowBytes = static_cast<std::size_t>(after.width()) * bytesPerPixel;
  int top = -1, bottom = -1, left = after.width(), right = -1;
  for (int y = 0; y < after.height(); ++y) {
    const uchar* a = before.constScanLine(y);
    const uchar* b = after.constScanLine(y);
    if (std::memcmp(a, b, rowBytes) == 0) continue;
    if (top < 0) top = y;
    bottom = y;
    int first = 0, last = after.width() - 1;
    while (std::memcmp(a + first * bytesPerPixel, b + first * bytesPerPixel, bytesPerPixel) == 0) ++first;
    while (std::memcmp(a + last * bytesPerPixel, b + last * bytesPerPixel, bytesPerPixel) == 0) --last;
    left = std::min(left, first);
    right = std::max(right, last);
  }
  if (top < 0) return {};
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), canvas_([this]() -> QImage& { return CanvasTarget(); }, [this] { CanvasChanged(); }) {}

void PictureBox::LoadPicture(const std::filesystem::path& file) { SetPicture(LoadPictureFile(file)); }

void PictureBox::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  shown_ = picture_.copy();
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

void PictureBox::CanvasChanged() {
  if (repaintPending_) return;
  repaintPending_ = true;
  QMetaObject::invokeMethod(this, [this] { RepaintChangedPart(); }, Qt::QueuedConnection);
}

void PictureBox::RepaintChangedPart() {
  repaintPending_ = false;
  const QRect changed = ChangedRect(shown_, picture_);
  if (changed.isEmpty()) return;
  KeepShown(changed);
  update(changed);
}

// Only the changed rows are copied, into a picture of its own: sharing the
// picture would make the canvas's next drawing copy all of it.
void PictureBox::KeepShown(const QRect& changed) {
  if (shown_.size() != picture_.size() || shown_.format() != picture_.format() || changed == picture_.rect()) {
    shown_ = picture_.copy();
    return;
  }
  const auto rowBytes = static_cast<std::size_t>(picture_.bytesPerLine());
  for (int y = changed.top(); y <= changed.bottom(); ++y)
    std::memcpy(shown_.scanLine(y), picture_.constScanLine(y), rowBytes);
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
