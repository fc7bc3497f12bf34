// Wires the concrete parts together and runs the message loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "game/Clock.h"
#include "game/GameFolder.h"
#include "game/GameSound.h"
#include "game/Random.h"
#include "sound/GameAudio.h"
#include "sound/SoundReport.h"
#include "toolkit/Dialogs.h"
#include "toolkit/ShownText.h"
#include "ui/CommandLine.h"
#include "ui/Form1.h"
#include "ui/GameWindow.h"
#include "ui/FrameLog.h"
#include "ui/HeapLog.h"
#include "ui/TextSet.h"
#include "ui/Translations.h"

namespace {

// The command line is read before anything opens a window (or needs a display).
QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  const ikea::ui::CommandLine command = ikea::ui::ParseCommandLine(Arguments(argc, argv));
  switch (command.action) {
    case ikea::ui::CommandLine::Action::Help:
      std::fputs(command.usage.toLocal8Bit().constData(), stdout);
      return 0;
    case ikea::ui::CommandLine::Action::Version:
      std::printf("%s\n", ikea::ui::VersionLine().toLocal8Bit().constData());
      return 0;
    case ikea::ui::CommandLine::Action::Error:
      std::fprintf(stderr, "ikeasobi: %s\n%s", command.error.toLocal8Bit().constData(),
                   command.usage.toLocal8Bit().constData());
      return 2;
    case ikea::ui::CommandLine::Action::Run:
      break;
  }

  // The desktop's own scale, fractions included: the zoom frame counts whole
  // device pixels per game pixel, so the pixel art stays crisp at any scale.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("K.T."));
  // Names the installed menu entry, so desktops show its icon and name for
  // the running window.
  QGuiApplication::setDesktopFileName(QStringLiteral(IKEASOBI_APP_ID));
  if (const char* heapLog = std::getenv("IKEASOBI_HEAP_LOG")) ikea::StartHeapLog(heapLog);
  if (const char* frameLog = std::getenv("IKEASOBI_FRAME_LOG")) ikea::StartFirstFrameLog(frameLog);

  const ikea::GameFolders folders =
      ikea::ResolveGameFolders(ikea::ExecutableFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  ikea::SystemClock clock;
  ikea::TwisterRandom random = ikea::TwisterRandom::SeededFromClock();
  const QString settingsFile = ikea::ui::WindowSettingsFile(folders.assets, folders.saves,
                                                            std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
  const ikea::ui::Language desktop =
      ikea::ui::DesktopLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
  // Only what is shown changes with the language: the rules see the game's
  // own texts in every one.
  auto applyLanguage = [&app](ikea::ui::Language language) {
    ikea::ui::InstallTranslations(app, language);
    ikea::tk::SetTranslator(language == ikea::ui::Language::English ? &ikea::ui::English() : nullptr);
    ikea::tk::RetranslateWidgets();
  };
  applyLanguage(ikea::ui::LanguageInForce(ikea::ui::ReadWindowSettings(settingsFile), command, desktop));
  ikea::tk::MessageBoxes boxes;
  ikea::tk::SetErrorDialogs(&boxes);

  // The mixer is built with the window: when it cannot start, the window
  // cannot be created, and the player is told why.
  std::unique_ptr<ikea::GameAudio> audio;
  try {
    audio = std::make_unique<ikea::GameAudio>(folders.assets);
  } catch (const std::exception& error) {
    boxes.Inform(ikea::tk::ErrorText(error));
    ikea::tk::SetErrorDialogs(nullptr);
    return 1;
  }

  int result = 0;
  {
    ikea::TForm1 form(ikea::FormParts{
        .rnd = random,
        .clock = clock,
        .sound = *audio,
        .dialogs = boxes,
        .folder = folders.saves,
        .assets = folders.assets,
        .seedRandom = [&random] { random = ikea::TwisterRandom::SeededFromClock(); },
        .loadCueWaves = [&audio] { audio->LoadCueWaves(); },
        .releaseCueWaves = [&audio] { audio->ReleaseCueWaves(); },
    });
    ikea::ui::GameWindow window(
        &form, {.settingsFile = settingsFile,
                .overrides = command,
                .applySound = [&audio](const ikea::ui::WindowSettings& w) {
                  audio->SetBufferMode(pcmmix::ParseBufferMode(w.soundBuffer.c_str()));
                  audio->SetEffectsLevel(w.effectsVolume, w.muted);
                  audio->SetMusicLevel(w.musicVolume, w.muted);
                },
                .desktopLanguage = desktop,
                .applyLanguage = applyLanguage});
    window.Show();
    result = app.exec();
  }
  // A dropout is heard once and gone; the count is the trace it leaves.
  const char* always = std::getenv("IKEASOBI_SOUND_REPORT");
  const std::string report =
      ikea::SoundReport({.underruns = audio->Underruns(),
                         .bufferChanges = audio->BufferChanges(),
                         .bufferMs = audio->BufferMs(),
                         .refusedMessages = audio->RefusedMessages(),
                         .output = audio->OutputName(),
                         .cueWaits = &audio->CueWaits()},
                        audio->DeviceAnswerTimes(), always && std::string(always) == "1");
  std::fputs(report.c_str(), stderr);
  audio.reset();
  ikea::tk::SetErrorDialogs(nullptr);
  return result;
}
