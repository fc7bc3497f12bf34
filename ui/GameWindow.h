#pragma once
// The comforts around the game's window: the zoom frame, its right-click
// menu and keys (Ctrl+1..4 zoom, Ctrl+0 the screen's default, F11 or
// Alt+Enter full screen, Ctrl+M mute), the sound levels, the language and
// the remembered settings. Nothing here reaches the game's rules, its layout or its save.
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>

#include "ui/CommandLine.h"
#include "ui/WindowSettings.h"
#include "ui/Zoom.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace ikea::ui {

class ZoomFrame;

struct GameWindowParts {
  QString settingsFile;                   // empty: nothing is remembered
  CommandLine overrides;                  // for this run only
  std::function<void(const WindowSettings&)> applySound;  // volumes and mute
  Language desktopLanguage = Language::Japanese;
  std::function<void(Language)> applyLanguage;  // to the game and the menu, at once
};

// The language a run plays in: this run's option, else the one chosen in
// the menu, else the desktop's.
Language LanguageInForce(const WindowSettings& remembered, const CommandLine& run, Language desktop);

class GameWindow {
public:
  // game: the parentless 1x window, shown through the frame.
  GameWindow(QWidget* game, GameWindowParts parts);
  ~GameWindow();
  GameWindow(const GameWindow&) = delete;
  GameWindow& operator=(const GameWindow&) = delete;

  // Opens the window where it was left, at the zoom or full screen in force.
  void Show();

  // The controls, as the menu and the keys reach them; each is remembered.
  // A zoom is shown where the window fits the screen it is on, and the
  // largest that fits there otherwise; a factor that cannot fit is refused.
  void SetZoom(int factor);  // 0: the screen's default
  void SetFullScreen(bool fullScreen);
  void SetEffectsVolume(int percent);
  void SetMusicVolume(int percent);
  void SetMuted(bool muted);
  void SetLanguage(Language language);

  ZoomFrame& Frame() { return *frame_; }
  QMenu& Menu() { return *menu_; }
  // What is in force now: the remembered settings and this run's options.
  const WindowSettings& Current() const { return current_; }
  const WindowSettings& Remembered() const { return remembered_; }
  // The zoom the screen under the window gets by default.
  int ScreenDefaultZoom() const;

private:
  ScreenRoom Room() const;  // of the screen the window is on
  int FittedZoom() const;   // the zoom in force, as the screen allows
  void Refit();
  void BuildMenu();
  void Change(const std::function<void(WindowSettings&)>& change);
  // Check marks and greyed-out zooms follow the settings in force.
  void ShowStateInMenu();
  void RememberPosition();

  GameWindowParts parts_;
  QWidget* game_;
  std::unique_ptr<ZoomFrame> frame_;
  std::unique_ptr<QMenu> menu_;
  WindowSettings remembered_;
  WindowSettings current_;
  QAction* zoomActions_[4] = {};
  QAction* fullScreenAction_ = nullptr;
  QAction* muteAction_ = nullptr;
  QActionGroup* effectsGroup_ = nullptr;
  QActionGroup* musicGroup_ = nullptr;
  QAction* languageActions_[2] = {};
  bool shown_ = false;
};

}  // namespace ikea::ui
