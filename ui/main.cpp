// Wires the concrete parts together and runs the message loop.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "game/Clock.h"
#include "game/GameFolder.h"
#include "game/GameSound.h"
#include "game/Random.h"
#include "sound/GameAudio.h"
#include "toolkit/Dialogs.h"
#include "ui/Form1.h"

int main(int argc, char** argv) {
  // The window has a fixed pixel layout: scale it by a whole factor on
  // high-density screens so the pixel art stays crisp.
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Round);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("K.T."));

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
    form.show();
    result = app.exec();
  }
  // A dropout is heard once and gone; the count is the trace it leaves.
  if (uint64_t underruns = audio->Underruns())
    std::fprintf(stderr, "ikeasobi: the sound output ran dry %llu times\n",
                 static_cast<unsigned long long>(underruns));
  audio.reset();
  ikea::tk::SetErrorDialogs(nullptr);
  return result;
}
