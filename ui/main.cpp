// Wires the concrete parts together and runs the message loop.
#include <QApplication>
#include <memory>

#include "game/Clock.h"
#include "game/GameFolder.h"
#include "game/GameSound.h"
#include "game/Random.h"
#include "sound/GameAudio.h"
#include "toolkit/Dialogs.h"
#include "ui/Form1.h"

namespace {

// The mixer starts with the window; without it the game still runs, silent,
// after telling the player why.
std::unique_ptr<ikea::GameAudio> StartAudio(const std::filesystem::path& folder, ikea::tk::Dialogs& dialogs) {
  try {
    return std::make_unique<ikea::GameAudio>(folder);
  } catch (const std::exception& error) {
    dialogs.Inform(ikea::tk::ErrorText(error));
    return nullptr;
  }
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("K.T."));

  const std::filesystem::path folder = ikea::ExecutableFolder();
  ikea::SystemClock clock;
  ikea::TwisterRandom random = ikea::TwisterRandom::SeededFromClock();
  ikea::tk::MessageBoxes boxes;
  ikea::tk::SetErrorDialogs(&boxes);
  std::unique_ptr<ikea::GameAudio> audio = StartAudio(folder, boxes);
  ikea::SilentSound silence;
  ikea::GameSound& sound = audio ? static_cast<ikea::GameSound&>(*audio) : silence;

  int result = 0;
  {
    ikea::TForm1 form(ikea::FormParts{
        .rnd = random,
        .clock = clock,
        .sound = sound,
        .dialogs = boxes,
        .folder = folder,
        .seedRandom = [&random] { random = ikea::TwisterRandom::SeededFromClock(); },
        .loadCueWaves = [&audio] { if (audio) audio->LoadCueWaves(); },
        .releaseCueWaves = [&audio] { if (audio) audio->ReleaseCueWaves(); },
    });
    form.show();
    result = app.exec();
  }
  ikea::tk::SetErrorDialogs(nullptr);
  return result;
}
