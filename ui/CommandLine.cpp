#include "ui/CommandLine.h"

#include <QCommandLineParser>

#include "ui/Zoom.h"

#ifndef IKEASOBI_VERSION
#define IKEASOBI_VERSION "2.0"
#endif

namespace ikea::ui {

QString VersionLine() { return QStringLiteral("ikeasobi " IKEASOBI_VERSION); }

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

  CommandLine result;
  // The parser names the program after argv[0], or not at all before the
  // application exists: the usage names it as players type it.
  result.usage = parser.helpText();
  result.usage.replace(0, result.usage.indexOf(u'\n'), QStringLiteral("Usage: ikeasobi [options]"));
  auto fail = [&result](const QString& error) {
    result.action = CommandLine::Action::Error;
    result.error = error;
    return result;
  };
  if (!parser.parse(arguments)) return fail(parser.errorText());
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
