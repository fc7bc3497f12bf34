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
#include "ui/CommandLine.h"
#include "ui/Form1.h"
#include "ui/GameWindow.h"
#include "ui/HeapLog.h"
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

  // The window has a fixed pixel layout: scale it by a whole factor on
  // high-density screens so the pixel art stays crisp.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("K.T."));
  ikea::ui::InstallTranslations(app);
  if (const char* heapLog = std::getenv("IKEASOBI_HEAP_LOG")) ikea::StartHeapLog(heapLog);

  const ikea::GameFolders folders =
      ikea::ResolveGameFolders(ikea::ExecutableFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  ikea::SystemClock clock;
  ikea::TwisterRandom random = ikea::TwisterRandom::SeededFromClock();
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
        &form, {.settingsFile = ikea::ui::WindowSettingsFile(folders.assets, folders.saves,
                                                             std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
                .overrides = command,
                .applySound = [&audio](const ikea::ui::WindowSettings& w) {
                  audio->SetBufferMode(pcmmix::ParseBufferMode(w.soundBuffer.c_str()));
                  audio->SetEffectsLevel(w.effectsVolume, w.muted);
                  audio->SetMusicLevel(w.musicVolume, w.muted);
                }});
    window.Show();
    result = app.exec();
  }
  // A dropout is heard once and gone; the count is the trace it leaves.
  const char* always = std::getenv("IKEASOBI_SOUND_REPORT");
  const std::string report =
      ikea::SoundReport({.underruns = audio->Underruns(),
                         .bufferChanges = audio->BufferChanges(),
                         .bufferMs = audio->BufferMs(),
                         .refusedMessages = audio->RefusedMessages()},
                        audio->DeviceAnswerTimes(), always && std::string(always) == "1");
  std::fputs(report.c_str(), stderr);
  audio.reset();
  ikea::tk::SetErrorDialogs(nullptr);
  return result;
}
