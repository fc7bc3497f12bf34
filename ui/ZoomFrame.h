#pragma once
// The window the player sees: it shows the game's 1x window enlarged by a
// whole factor of device pixels, pictures pixel for pixel (nearest
// neighbour) and text drawn at the enlarged size, or full screen at the
// largest factor that fits, centred on black. Every pointer position is brought back to the game pixel
// under it before the game sees it, so the game's widgets, its layout and
// its rules keep their 1x pixels. The right button is the frame's own.
#include <QEvent>
#include <QGraphicsView>
#include <functional>

class QGraphicsProxyWidget;

namespace ikea::ui {

class ZoomFrame final : public QGraphicsView {
public:
  // `game` is a parentless window; the frame shows it but does not own it,
  // and gives it back when destroyed.
  explicit ZoomFrame(QWidget* game);
  ~ZoomFrame() override;
  ZoomFrame(const ZoomFrame&) = delete;
  ZoomFrame& operator=(const ZoomFrame&) = delete;

  // The windowed zoom, 1..4 (clamped); takes effect at once, and again on
  // a call after the desktop's scale under the window changed.
  void SetZoom(int factor);
  int Zoom() const { return zoom_; }
  void SetFullScreen(bool fullScreen);
  bool IsFullScreen() const { return fullScreen_; }
  // Where the window is, or was before it went full screen.
  QPoint WindowedPosition() const;
  // The device pixels per game pixel now, windowed or full screen.
  int ShownFactor() const { return shown_; }
  // The game pixel under a position in the frame's viewport.
  QPoint GamePixelAt(QPointF viewportPosition) const;

  // The right button or the menu key, at a global position.
  std::function<void(QPoint)> onMenu;
  // The player closes the window (after the game's own close handler ran).
  std::function<void()> onClose;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void Deliver(QMouseEvent* event, QEvent::Type sceneType);
  void Fit();
  QSize GameSize() const;

  QWidget* game_;
  QGraphicsProxyWidget* proxy_;
  int zoom_ = 1;
  int shown_ = 1;
  bool fullScreen_ = false;
  QPoint origin_;  // device pixels
  QPointF lastAt_;
  QPoint lastScreenAt_;
  QPoint normalPosition_;
};

}  // namespace ikea::ui
