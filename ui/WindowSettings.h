#pragma once
// The player's remembered comforts: zoom, full screen, volumes, mute, the
// language and the window's position. They live in ikeasobi.conf beside dat/ for a game kept
// in its own folder, in $XDG_CONFIG_HOME/ikeasobi/ for an installed one. A
// missing, unreadable or garbage file gives the defaults, values out of
// range are clamped, and a file that cannot be written is left alone: none
// of it ever stops the game.
#include <QPoint>
#include <QString>
#include <filesystem>
#include <optional>
#include <string>

#include "ui/Language.h"

namespace ikea::ui {

constexpr int kVolumeStep = 10;
constexpr int kFullVolume = 100;

// 0..100, to the nearest step.
int ClampVolume(int percent);

struct WindowSettings {
  int zoom = 0;  // 0: the screen's own default, else 1..4
  bool fullScreen = false;
  int effectsVolume = kFullVolume;
  int musicVolume = kFullVolume;
  bool muted = false;
  // [sound] buffer=auto|low|steady, the effects' buffer; set by hand, so
  // read and never written. Anything else reads as "auto".
  std::string soundBuffer = "auto";
  std::optional<QPoint> position;  // the window's top-left; unset: the game's own place
  std::optional<Language> language;  // unset: the desktop's

  bool operator==(const WindowSettings&) const = default;
};

WindowSettings ReadWindowSettings(const QString& file);
// False when the file could not be written.
bool WriteWindowSettings(const QString& file, const WindowSettings& settings);

// assets and saves as the game resolved them: a game that keeps the player's
// files in its own folder is portable and keeps its settings there too.
QString WindowSettingsFile(const std::filesystem::path& assets, const std::filesystem::path& saves,
                           const char* xdgConfigHome, const char* home);

}  // namespace ikea::ui
