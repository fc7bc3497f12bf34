#pragma once
// A picture widget: shows a picture at its top-left corner, may size itself
// to it, reports mouse presses in picture pixels, and offers a canvas that
// draws onto the picture (a widget-sized picture is made for a canvas that
// has none yet). Without a picture it is invisible but still takes clicks.
#include <QImage>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "toolkit/ImageCanvas.h"
#include "toolkit/Mouse.h"

namespace ikea::tk {

class PictureBox : public QWidget {
public:
  explicit PictureBox(QWidget* parent);

  // Loads a BMP or JPEG file; raises GameError when it cannot be opened.
  void LoadPicture(const std::filesystem::path& file);
  void SetPicture(QImage picture);
  const QImage& Picture() const { return picture_; }
  void SetAutoSize(bool autoSize);

  ImageCanvas& Canvas() { return canvas_; }

  MouseHandler onMouseDown;
  std::function<void()> onClick;

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  QImage& CanvasTarget();
  void Fit();
  void CanvasChanged();
  void RepaintChangedPart();
  void KeepShown(const QRect& changed);

  QImage picture_;
  // The picture as last asked to be painted. The pond is drawn afresh every
  // tick while its frames change only every few ticks, so a canvas's
  // drawing repaints only where the picture differs from this, once per
  // turn of the event loop.
  QImage shown_;
  bool repaintPending_ = false;
  bool autoSize_ = false;
  bool pressed_ = false;
  ImageCanvas canvas_;
};

// The smallest rectangle holding every pixel that differs between two
// pictures; all of `after` when their sizes or formats differ, empty when
// they are alike.
QRect ChangedRect(const QImage& before, const QImage& after);

}  // namespace ikea::tk
