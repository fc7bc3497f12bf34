#pragma once
// The program's command line. Options apply to the run they are given for
// and are never remembered.
#include <QString>
#include <QStringList>
#include <optional>

#include "ui/Language.h"

namespace ikea::ui {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::optional<int> zoom;         // --zoom N, 1..4
  std::optional<bool> fullScreen;  // --fullscreen or --windowed
  bool mute = false;               // --mute
  std::optional<Language> language;  // --language ja|en
  QString error;                   // Error: one line, without the program's name
  QString usage;                   // the --help text
};

// arguments: the program's name first, as in argv. Qt's own options are
// left for QApplication, which takes them out of argv itself.
CommandLine ParseCommandLine(const QStringList& arguments);

// The command line split into the game's arguments (the program's name
// first) and Qt's options with their values; error names an option of Qt's
// that lacks its value.
struct QtArguments {
  QStringList game;
  QStringList qt;
  QString error;
};
QtArguments SeparateQtArguments(const QStringList& arguments);

// "ikeasobi 2.0"
QString VersionLine();

}  // namespace ikea::ui
