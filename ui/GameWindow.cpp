#include "ui/GameWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QWindow>
#include <cstdio>

#include "ui/Zoom.h"
#include "ui/ZoomFrame.h"

namespace ikea::ui {
namespace {

// Texts are marked where they stand, so the translation tools find them.
QString Tr(const char* text) { return QCoreApplication::translate("GameWindow", text); }

// Where a remembered position is still on a screen.
bool OnAScreen(QPoint position) { return QGuiApplication::screenAt(position + QPoint(8, 8)) != nullptr; }

// A window manager's frame before it has told its size: a title bar and
// thin borders, on the generous side.
constexpr QMargins kLikelyFrame(4, 32, 4, 4);

}  // namespace

Language LanguageInForce(const WindowSettings& remembered, const CommandLine& run, Language desktop) {
  if (run.language) return *run.language;
  return remembered.language.value_or(desktop);
}

GameWindow::GameWindow(QWidget* game, GameWindowParts parts) : parts_(std::move(parts)), game_(game) {
  const QPoint gamePlace = game->pos();  // the game's own place on the screen
  frame_ = std::make_unique<ZoomFrame>(game);
  menu_ = std::make_unique<QMenu>();
  remembered_ = ReadWindowSettings(parts_.settingsFile);
  current_ = remembered_;
  const CommandLine& run = parts_.overrides;
  if (run.zoom) current_.zoom = *run.zoom;
  if (run.fullScreen) current_.fullScreen = *run.fullScreen;
  if (run.mute) current_.muted = true;
  current_.language = LanguageInForce(remembered_, run, parts_.desktopLanguage);

  BuildMenu();
  frame_->onMenu = [this](QPoint at) { menu_->popup(at); };
  frame_->onClose = [this] { RememberPosition(); };
  frame_->move(current_.position && OnAScreen(*current_.position) ? *current_.position : gamePlace);
  const int fitted = FittedZoom();
  if (run.zoom && fitted < *run.zoom)
    std::fprintf(stderr, "ikeasobi: --zoom %d does not fit this screen; showing %dx instead.\n", *run.zoom, fitted);
  frame_->SetZoom(fitted);
  frame_->move(PlaceOnScreen(frame_->pos(), frame_->size(), Room()));
  game_->show();
  if (parts_.applySound) parts_.applySound(current_);
  ShowStateInMenu();
}

GameWindow::~GameWindow() = default;

ScreenRoom GameWindow::Room() const {
  QScreen* screen = shown_ ? frame_->screen() : QGuiApplication::screenAt(frame_->pos() + QPoint(8, 8));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return {QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX), 1, {}};
  const QWindow* window = frame_->windowHandle();
  const QMargins frame = window && !window->frameMargins().isNull() ? window->frameMargins() : kLikelyFrame;
  return {screen->availableGeometry(), screen->devicePixelRatio(), frame};
}

int GameWindow::FittedZoom() const { return ZoomOnScreen(current_.zoom, Room(), game_->size()); }

int GameWindow::ScreenDefaultZoom() const { return ZoomOnScreen(0, Room(), game_->size()); }

void GameWindow::Show() {
  if (current_.fullScreen) frame_->SetFullScreen(true);
  else frame_->show();
  if (!shown_) {
    // Another screen may be smaller, larger or differently scaled. The
    // refit waits for the move that brought the window there to be handled
    // in full, as it carries the window's former size.
    QObject::connect(frame_->windowHandle(), &QWindow::screenChanged, menu_.get(), [this] { Refit(); },
                     Qt::QueuedConnection);
  }
  shown_ = true;
  Refit();
}

void GameWindow::Refit() {
  frame_->SetZoom(FittedZoom());
  ShowStateInMenu();
}

void GameWindow::BuildMenu() {
  QMenu& menu = *menu_;
  auto add = [this](QMenu& into, const QString& text, QList<QKeySequence> keys, auto handler) {
    QAction* action = into.addAction(text);
    action->setShortcuts(keys);
    QObject::connect(action, &QAction::triggered, menu_.get(), handler);
    if (!keys.isEmpty()) frame_->addAction(action);  // the keys work with the menu closed
    return action;
  };
  auto* zooms = new QActionGroup(&menu);
  for (int k = kMinZoom; k <= kMaxZoom; ++k) {
    QAction* a = add(menu, Tr(QT_TRANSLATE_NOOP("GameWindow", "Zoom ×%1")).arg(k), {QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + k))},
                     [this, k] { SetZoom(k); });
    a->setCheckable(true);
    zooms->addAction(a);
    zoomActions_[k - kMinZoom] = a;
  }
  add(menu, Tr(QT_TRANSLATE_NOOP("GameWindow", "Screen's default zoom")), {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { SetZoom(0); });
  fullScreenAction_ = add(menu, Tr(QT_TRANSLATE_NOOP("GameWindow", "Full screen")),
                          {QKeySequence(Qt::Key_F11), QKeySequence(Qt::ALT | Qt::Key_Return),
                           QKeySequence(Qt::ALT | Qt::Key_Enter)},
                          [this] { SetFullScreen(!current_.fullScreen); });
  fullScreenAction_->setCheckable(true);
  menu.addSeparator();
  auto volumes = [&](const QString& title, QActionGroup*& group, void (GameWindow::*set)(int)) {
    QMenu* sub = menu.addMenu(title);
    group = new QActionGroup(sub);
    for (int v = kFullVolume; v >= 0; v -= kVolumeStep) {
      QAction* a = add(*sub, Tr(QT_TRANSLATE_NOOP("GameWindow", "%1 %")).arg(v), {}, [this, set, v] { (this->*set)(v); });
      a->setCheckable(true);
      a->setData(v);
      group->addAction(a);
    }
  };
  volumes(Tr(QT_TRANSLATE_NOOP("GameWindow", "Effects volume")), effectsGroup_, &GameWindow::SetEffectsVolume);
  volumes(Tr(QT_TRANSLATE_NOOP("GameWindow", "Music volume")), musicGroup_, &GameWindow::SetMusicVolume);
  muteAction_ = add(menu, Tr(QT_TRANSLATE_NOOP("GameWindow", "Mute")), {QKeySequence(Qt::CTRL | Qt::Key_M)}, [this] { SetMuted(!current_.muted); });
  muteAction_->setCheckable(true);
  menu.addSeparator();
  // Each language is named in its own words, whatever the menu's language.
  QMenu* languages = menu.addMenu(Tr(QT_TRANSLATE_NOOP("GameWindow", "Language")));
  auto* languageGroup = new QActionGroup(languages);
  const std::pair<Language, QString> choices[] = {{Language::Japanese, QStringLiteral("日本語")},
                                                  {Language::English, QStringLiteral("English")}};
  for (const auto& [language, name] : choices) {
    QAction* a = add(*languages, name, {}, [this, language] { SetLanguage(language); });
    a->setCheckable(true);
    languageGroup->addAction(a);
    languageActions_[static_cast<int>(language)] = a;
  }
}

void GameWindow::SetLanguage(Language language) {
  Change([language](WindowSettings& w) { w.language = language; });
  if (parts_.applyLanguage) parts_.applyLanguage(language);
  // The menu is built anew in the new language; the old one may still be
  // sending the choice that got here.
  menu_.release()->deleteLater();
  menu_ = std::make_unique<QMenu>();
  BuildMenu();
  ShowStateInMenu();
}

void GameWindow::Change(const std::function<void(WindowSettings&)>& change) {
  change(remembered_);
  change(current_);
  WriteWindowSettings(parts_.settingsFile, remembered_);  // a file that cannot be written is no matter
  ShowStateInMenu();
}

void GameWindow::SetZoom(int factor) {
  factor = factor == 0 ? 0 : ClampZoom(factor);
  if (factor > LargestFittingZoom(Room(), game_->size())) return;  // as its key and menu entry are off
  Change([factor](WindowSettings& w) {
    w.zoom = factor;
    w.fullScreen = false;  // a zoom chosen is a zoom shown
  });
  frame_->SetFullScreen(false);
  Refit();
}

void GameWindow::SetFullScreen(bool fullScreen) {
  Change([fullScreen](WindowSettings& w) { w.fullScreen = fullScreen; });
  frame_->SetFullScreen(fullScreen);
  Refit();
}

void GameWindow::SetEffectsVolume(int percent) {
  Change([v = ClampVolume(percent)](WindowSettings& w) { w.effectsVolume = v; });
  if (parts_.applySound) parts_.applySound(current_);
}

void GameWindow::SetMusicVolume(int percent) {
  Change([v = ClampVolume(percent)](WindowSettings& w) { w.musicVolume = v; });
  if (parts_.applySound) parts_.applySound(current_);
}

void GameWindow::SetMuted(bool muted) {
  Change([muted](WindowSettings& w) { w.muted = muted; });
  if (parts_.applySound) parts_.applySound(current_);
}

void GameWindow::ShowStateInMenu() {
  const int largest = LargestFittingZoom(Room(), game_->size());
  for (int k = kMinZoom; k <= kMaxZoom; ++k) {
    zoomActions_[k - kMinZoom]->setChecked(!frame_->IsFullScreen() && frame_->Zoom() == k);
    zoomActions_[k - kMinZoom]->setEnabled(k <= largest);
  }
  fullScreenAction_->setChecked(frame_->IsFullScreen());
  muteAction_->setChecked(current_.muted);
  for (QAction* a : effectsGroup_->actions()) a->setChecked(a->data().toInt() == current_.effectsVolume);
  for (QAction* a : musicGroup_->actions()) a->setChecked(a->data().toInt() == current_.musicVolume);
  for (int k = 0; k < 2; ++k)
    languageActions_[k]->setChecked(current_.language == static_cast<Language>(k));
}

void GameWindow::RememberPosition() {
  if (!shown_) return;
  remembered_.position = frame_->WindowedPosition();
  WriteWindowSettings(parts_.settingsFile, remembered_);
}

}  // namespace ikea::ui
