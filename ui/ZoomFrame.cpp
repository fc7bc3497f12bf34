#include "ui/ZoomFrame.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
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
  if (fullScreen_) {
    const QSize area = viewport()->size();
    shown_ = FittingZoom(area, game);
    origin_ = CentredOrigin(area, game, shown_);
  } else {
    shown_ = zoom_;
    origin_ = {};
    setFixedSize(game * shown_);
  }
  // The scene rectangle covers the viewport exactly, so game pixel (x, y)
  // starts at screen pixel origin + factor * (x, y), whole pixels both.
  const double f = shown_;
  const QSize area = fullScreen_ ? viewport()->size() : game * shown_;
  setSceneRect(QRectF(-origin_.x() / f, -origin_.y() / f, area.width() / f, area.height() / f));
  setTransform(QTransform::fromScale(f, f));
  centerOn(sceneRect().center());
}

QPoint ZoomFrame::GamePixelAt(QPointF viewportPosition) const {
  return ui::GamePixelAt(viewportPosition, origin_, shown_);
}

void ZoomFrame::Forward(QMouseEvent* event, const std::function<void(QMouseEvent*)>& handler) {
  // The pointer goes to the top-left corner of its game pixel, which maps
  // back exactly: the game's rounding of positions can never carry a click
  // into the neighbouring pixel or widget.
  const QPoint pixel = GamePixelAt(event->position());
  const QPointF at(origin_.x() + pixel.x() * shown_, origin_.y() + pixel.y() * shown_);
  QMouseEvent snapped(event->type(), at, event->scenePosition(), event->globalPosition(),
                      event->button(), event->buttons(), event->modifiers(), event->pointingDevice());
  handler(&snapped);
  event->setAccepted(snapped.isAccepted());
}

void ZoomFrame::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return event->accept();
  Forward(event, [this](QMouseEvent* e) { QGraphicsView::mousePressEvent(e); });
}

void ZoomFrame::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return event->accept();
  Forward(event, [this](QMouseEvent* e) { QGraphicsView::mouseReleaseEvent(e); });
}

void ZoomFrame::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) return event->accept();
  Forward(event, [this](QMouseEvent* e) { QGraphicsView::mouseDoubleClickEvent(e); });
}

void ZoomFrame::mouseMoveEvent(QMouseEvent* event) { Forward(event, [this](QMouseEvent* e) { QGraphicsView::mouseMoveEvent(e); }); }

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
