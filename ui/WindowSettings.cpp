#include "ui/WindowSettings.h"

#include <QSettings>
#include <algorithm>

#include "ui/Zoom.h"

namespace ikea::ui {
namespace {

const QString kZoom = QStringLiteral("window/zoom");
const QString kFullScreen = QStringLiteral("window/fullscreen");
const QString kLeft = QStringLiteral("window/left");
const QString kTop = QStringLiteral("window/top");
const QString kEffects = QStringLiteral("sound/effects");
const QString kMusic = QStringLiteral("sound/music");
const QString kMute = QStringLiteral("sound/mute");
const QString kLanguage = QStringLiteral("game/language");
const QString kBuffer = QStringLiteral("sound/buffer");

std::optional<int> IntAt(const QSettings& s, const QString& key) {
  const QVariant v = s.value(key);
  if (v.typeId() != QMetaType::QString) return std::nullopt;  // missing, or a list
  bool ok = false;
  const int value = v.toString().trimmed().toInt(&ok);
  return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<bool> BoolAt(const QSettings& s, const QString& key) {
  const QVariant v = s.value(key);
  if (v.typeId() != QMetaType::QString) return std::nullopt;
  const QString text = v.toString().trimmed().toLower();
  if (text == u"true" || text == u"1") return true;
  if (text == u"false" || text == u"0") return false;
  return std::nullopt;
}

}  // namespace

int ClampVolume(int percent) {
  percent = std::clamp(percent, 0, kFullVolume);
  return (percent + kVolumeStep / 2) / kVolumeStep * kVolumeStep;
}

WindowSettings ReadWindowSettings(const QString& file) {
  WindowSettings w;
  if (file.isEmpty()) return w;
  const QSettings s(file, QSettings::IniFormat);
  if (s.status() != QSettings::NoError) return w;
  if (auto zoom = IntAt(s, kZoom)) w.zoom = std::clamp(*zoom, 0, kMaxZoom);
  if (auto full = BoolAt(s, kFullScreen)) w.fullScreen = *full;
  if (auto effects = IntAt(s, kEffects)) w.effectsVolume = ClampVolume(*effects);
  if (auto music = IntAt(s, kMusic)) w.musicVolume = ClampVolume(*music);
  if (auto mute = BoolAt(s, kMute)) w.muted = *mute;
  w.language = ParseLanguage(s.value(kLanguage).toString().trimmed());
  const QString buffer = s.value(kBuffer).toString().trimmed().toLower();
  if (buffer == u"low" || buffer == u"steady") w.soundBuffer = buffer.toStdString();
  // Far beyond any desktop is no place for a window.
  constexpr int kFar = 1 << 20;
  auto left = IntAt(s, kLeft), top = IntAt(s, kTop);
  if (left && top) w.position = QPoint(std::clamp(*left, -kFar, kFar), std::clamp(*top, -kFar, kFar));
  return w;
}

bool WriteWindowSettings(const QString& file, const WindowSettings& w) {
  if (file.isEmpty()) return false;
  QSettings s(file, QSettings::IniFormat);
  s.setValue(kZoom, QString::number(w.zoom));
  s.setValue(kFullScreen, w.fullScreen ? QStringLiteral("true") : QStringLiteral("false"));
  s.setValue(kEffects, QString::number(w.effectsVolume));
  s.setValue(kMusic, QString::number(w.musicVolume));
  s.setValue(kMute, w.muted ? QStringLiteral("true") : QStringLiteral("false"));
  if (w.language) s.setValue(kLanguage, LanguageCode(*w.language));
  else s.remove(kLanguage);
  if (w.position) {
    s.setValue(kLeft, QString::number(w.position->x()));
    s.setValue(kTop, QString::number(w.position->y()));
  } else {
    s.remove(kLeft);
    s.remove(kTop);
  }
  s.sync();
  return s.status() == QSettings::NoError;
}

QString WindowSettingsFile(const std::filesystem::path& assets, const std::filesystem::path& saves,
                           const char* xdgConfigHome, const char* home) {
  namespace fs = std::filesystem;
  auto text = [](const fs::path& p) { return QString::fromStdString(p.string()); };
  if (saves == assets) return text(saves / "ikeasobi.conf");
  if (xdgConfigHome && *xdgConfigHome == '/') return text(fs::path(xdgConfigHome) / "ikeasobi" / "ikeasobi.conf");
  if (home && *home) return text(fs::path(home) / ".config" / "ikeasobi" / "ikeasobi.conf");
  return {};
}

}  // namespace ikea::ui
