#include "ui/CommandLine.h"

#include <QCommandLineParser>
#include <array>

#include "ui/Zoom.h"

#ifndef IKEASOBI_VERSION
#define IKEASOBI_VERSION "2.0"
#endif

namespace ikea::ui {

QString VersionLine() { return QStringLiteral("ikeasobi " IKEASOBI_VERSION); }

namespace {

// The options QGuiApplication, QApplication and the X11 platform take out of
// the command line themselves, with one dash or two.
struct QtOption {
  const char* name;
  bool takesValue;
};
constexpr std::array kQtOptions{
    QtOption{"platform", true},     QtOption{"platformpluginpath", true}, QtOption{"platformtheme", true},
    QtOption{"plugin", true},       QtOption{"qwindowgeometry", true},    QtOption{"geometry", true},
    QtOption{"qwindowicon", true},  QtOption{"icon", true},               QtOption{"qwindowtitle", true},
    QtOption{"title", true},        QtOption{"session", true},            QtOption{"display", true},
    QtOption{"name", true},         QtOption{"style", true},              QtOption{"stylesheet", true},
    QtOption{"qmljsdebugger", true}, QtOption{"reverse", false},          QtOption{"widgetcount", false},
    QtOption{"nograb", false},      QtOption{"dograb", false},            QtOption{"sync", false},
};

const QtOption* FindQtOption(const QString& argument) {
  QString name = argument;
  if (name.startsWith(QStringLiteral("--"))) name.remove(0, 1);
  if (!name.startsWith(u'-')) return nullptr;
  name.remove(0, 1);
  // QApplication also reads its style as -style=NAME.
  for (const char* joined : {"style=", "stylesheet="})
    if (name.startsWith(QLatin1String(joined))) name.truncate(name.indexOf(u'='));
  for (const QtOption& option : kQtOptions)
    if (name == QLatin1String(option.name)) return &option;
  return nullptr;
}

}  // namespace

QtArguments SeparateQtArguments(const QStringList& arguments) {
  QtArguments result;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QtOption* option = i > 0 ? FindQtOption(arguments[i]) : nullptr;
    if (!option) {
      result.game << arguments[i];
      continue;
    }
    result.qt << arguments[i];
    if (option->takesValue && !arguments[i].contains(u'=')) {
      if (i + 1 == arguments.size()) {
        result.error = QStringLiteral("Missing value after '%1'.").arg(arguments[i]);
        break;
      }
      result.qt << arguments[++i];
    }
  }
  return result;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A pond-fishing game."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and exit."));
  const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Show the version and exit."));
  const QCommandLineOption zoom(QStringLiteral("zoom"),
                                QStringLiteral("Show the window enlarged N times, 1 to 4."), QStringLiteral("N"));
  const QCommandLineOption fullScreen(QStringLiteral("fullscreen"), QStringLiteral("Start full screen."));
  const QCommandLineOption windowed(QStringLiteral("windowed"), QStringLiteral("Start in a window."));
  const QCommandLineOption mute(QStringLiteral("mute"), QStringLiteral("Start with all sound muted."));
  const QCommandLineOption language(
      QStringLiteral("language"),
      QStringLiteral("Play in Japanese (ja) or English (en) this time. Otherwise the language chosen in the "
                     "menu, or the desktop's: Japanese for a Japanese, C or POSIX locale, English for any other."),
      QStringLiteral("ja|en"));
  parser.addOptions({help, version, zoom, fullScreen, windowed, mute, language});
  const QtArguments separated = SeparateQtArguments(arguments);

  CommandLine result;
  // The parser names the program after argv[0], or not at all before the
  // application exists: the usage names it as players type it.
  result.usage = parser.helpText();
  result.usage.replace(0, result.usage.indexOf(u'\n'), QStringLiteral("Usage: ikeasobi [options]"));
  result.usage += QStringLiteral("\nQt's own options (-platform, -display, -style, ...) are passed on to Qt.\n");
  auto fail = [&result](const QString& error) {
    result.action = CommandLine::Action::Error;
    result.error = error;
    return result;
  };
  if (!separated.error.isEmpty()) return fail(separated.error);
  if (!parser.parse(separated.game)) return fail(parser.errorText());
  if (!parser.positionalArguments().isEmpty())
    return fail(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().constFirst()));
  if (parser.isSet(help)) {
    result.action = CommandLine::Action::Help;
    return result;
  }
  if (parser.isSet(version)) {
    result.action = CommandLine::Action::Version;
    return result;
  }
  if (parser.isSet(zoom)) {
    const QString text = parser.value(zoom);
    bool ok = false;
    const int factor = text.toInt(&ok);
    if (!ok || factor < kMinZoom || factor > kMaxZoom)
      return fail(QStringLiteral("--zoom takes 1, 2, 3 or 4, not '%1'.").arg(text));
    result.zoom = factor;
  }
  if (parser.isSet(fullScreen) && parser.isSet(windowed))
    return fail(QStringLiteral("--fullscreen and --windowed cannot be given together."));
  if (parser.isSet(fullScreen)) result.fullScreen = true;
  if (parser.isSet(windowed)) result.fullScreen = false;
  result.mute = parser.isSet(mute);
  if (parser.isSet(language)) {
    result.language = ParseLanguage(parser.value(language));
    if (!result.language)
      return fail(QStringLiteral("--language takes ja or en, not '%1'.").arg(parser.value(language)));
  }
  return result;
}

}  // namespace ikea::ui
