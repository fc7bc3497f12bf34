#include "ui/ZoomFrame.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QMouseEvent>
#include <QScreen>

#include "ui/Zoom.h"

namespace ikea::ui {

ZoomFrame::ZoomFrame(QWidget* game)
    : QGraphicsView(new QGraphicsScene), game_(game) {
  scene()->setParent(this);
  setWindowFlags(game->windowFlags());
  setWindowTitle(game->windowTitle());
  setWindowIcon(game->windowIcon());
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Enlarged pictures stay pixel-crisp: no smoothing, no antialiasing.
  setRenderHints({});
  setBackgroundBrush(Qt::black);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTransformationAnchor(QGraphicsView::NoAnchor);
  setResizeAnchor(QGraphicsView::NoAnchor);
  // The game lies at the scene's origin inside the frame, drawn without a
  // frame of its own; its caption becomes the frame's.
  game_->move(0, 0);
  game_->setWindowFlags(Qt::Widget);
  proxy_ = scene()->addWidget(game_, Qt::Widget);
  proxy_->setPos(0, 0);
  game_->installEventFilter(this);
  Fit();
}

ZoomFrame::~ZoomFrame() {
  game_->removeEventFilter(this);
  proxy_->setWidget(nullptr);
}

QSize ZoomFrame::GameSize() const { return game_->size(); }

void ZoomFrame::SetZoom(int factor) {
  zoom_ = ClampZoom(factor);
  Fit();
}

void ZoomFrame::SetFullScreen(bool fullScreen) {
  if (fullScreen == fullScreen_) return;
  fullScreen_ = fullScreen;
  if (fullScreen_) {
    normalPosition_ = pos();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The window manager makes the window full screen; without one, the
    // screen's size is what full screen means.
    if (QScreen* s = screen()) setGeometry(s->geometry());
    showFullScreen();
  } else {
    showNormal();
    move(normalPosition_);
  }
  Fit();
}

QPoint ZoomFrame::WindowedPosition() const { return fullScreen_ ? normalPosition_ : pos(); }

void ZoomFrame::Fit() {
  const QSize game = GameSize();
  const double ratio = devicePixelRatioF();
  QSize area;  // the viewport, in desktop pixels
  if (fullScreen_) {
    area = viewport()->size();
    const QSize devicePixels(static_cast<int>(area.width() * ratio), static_cast<int>(area.height() * ratio));
    shown_ = FullScreenPixels(devicePixels, game, ratio);
    origin_ = CentredOrigin(devicePixels, game, shown_);
  } else {
    shown_ = PixelsPerGamePixel(zoom_, ratio);
    origin_ = {};
    area = WindowSizeAt(game, zoom_, ratio);
    setFixedSize(area);
  }
  // The view's transform alone places the game: game pixel (x, y) starts at
  // device pixel origin + factor * (x, y), whole device pixels at any desktop
  // scale. The scene rectangle covers the viewport exactly, so the view
  // neither scrolls nor shifts it.
  const double scale = shown_ / ratio;
  const QTransform place(scale, 0, 0, scale, origin_.x() / ratio, origin_.y() / ratio);
  setTransform(place);
  setSceneRect(place.inverted().mapRect(QRectF(QPointF(0, 0), QSizeF(area))));
}

QPoint ZoomFrame::GamePixelAt(QPointF viewportPosition) const {
  return ui::GamePixelAt(viewportPosition * devicePixelRatioF(), origin_, shown_);
}

void ZoomFrame::Deliver(QMouseEvent* event, QEvent::Type type) {
  // The game sees exactly the top-left corner of the game pixel under the
  // pointer: its rounding of positions can never carry a click into the
  // neighbouring pixel or widget, and the view's own rounding to whole
  // desktop pixels is bypassed, as a game pixel may be smaller than one.
  const QPointF at = GamePixelAt(event->position());
  const QPointF screenAt = event->globalPosition();
  QGraphicsSceneMouseEvent delivered(type);
  delivered.setWidget(viewport());
  if (type == QEvent::GraphicsSceneMousePress || type == QEvent::GraphicsSceneMouseDoubleClick) {
    delivered.setButtonDownScenePos(event->button(), at);
    delivered.setButtonDownScreenPos(event->button(), screenAt.toPoint());
  }
  delivered.setScenePos(at);
  delivered.setScreenPos(screenAt.toPoint());
  delivered.setLastScenePos(lastAt_);
  delivered.setLastScreenPos(lastScreenAt_);
  delivered.setButtons(event->buttons());
  delivered.setButton(event->button());
  delivered.setModifiers(event->modifiers());
  delivered.setAccepted(false);
  lastAt_ = at;
  lastScreenAt_ = screenAt.toPoint();
  QCoreApplication::sendEvent(scene(), &delivered);
  event->setAccepted(delivered.isAccepted());
}

void ZoomFrame::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return event->accept();
  Deliver(event, QEvent::GraphicsSceneMousePress);
}

void ZoomFrame::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return event->accept();
  Deliver(event, QEvent::GraphicsSceneMouseRelease);
}

void ZoomFrame::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return event->accept();
  Deliver(event, QEvent::GraphicsSceneMouseDoubleClick);
}

void ZoomFrame::mouseMoveEvent(QMouseEvent* event) { Deliver(event, QEvent::GraphicsSceneMouseMove); }

void ZoomFrame::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
  if (onMenu) onMenu(event->globalPos());
}

void ZoomFrame::resizeEvent(QResizeEvent* event) {
  QGraphicsView::resizeEvent(event);
  if (fullScreen_) Fit();
}

bool ZoomFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == game_) {
    if (event->type() == QEvent::WindowTitleChange) setWindowTitle(game_->windowTitle());
    else if (event->type() == QEvent::Resize && !fullScreen_) Fit();
  }
  return QGraphicsView::eventFilter(watched, event);
}

void ZoomFrame::closeEvent(QCloseEvent* event) {
  // The game's own close handler runs first, as when it was the window.
  game_->close();
  if (onClose) onClose();
  event->accept();
}

}  // namespace ikea::ui
