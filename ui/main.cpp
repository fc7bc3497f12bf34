// Wires the concrete parts together and runs the message loop.
#include <QApplication>

#include "game/Clock.h"
#include "game/GameFolder.h"
#include "game/GameSound.h"
#include "game/Random.h"
#include "toolkit/Dialogs.h"
#include "ui/Form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("K.T."));

  ikea::SystemClock clock;
  ikea::TwisterRandom random = ikea::TwisterRandom::SeededFromClock();
  ikea::SilentSound sound;
  ikea::tk::MessageBoxes boxes;
  ikea::tk::SetErrorDialogs(&boxes);

  ikea::TForm1 form(ikea::FormParts{
      .rnd = random,
      .clock = clock,
      .sound = sound,
      .dialogs = boxes,
      .folder = ikea::ExecutableFolder(),
      .seedRandom = [&random] { random = ikea::TwisterRandom::SeededFromClock(); },
      .loadCueWaves = {},
      .releaseCueWaves = {},
  });
  form.show();
  int result = app.exec();
  ikea::tk::SetErrorDialogs(nullptr);
  return result;
}
