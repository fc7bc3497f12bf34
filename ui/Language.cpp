#include "ui/Language.h"

namespace ikea::ui {

QString LanguageCode(Language language) {
  return language == Language::English ? QStringLiteral("en") : QStringLiteral("ja");
}

std::optional<Language> ParseLanguage(const QString& code) {
  if (code == QLatin1String("ja")) return Language::Japanese;
  if (code == QLatin1String("en")) return Language::English;
  return std::nullopt;
}

Language DesktopLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
  const char* locale = nullptr;
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (value && *value) {
      locale = value;
      break;
    }
  }
  if (!locale) return Language::Japanese;
  const QString name = QString::fromLatin1(locale);
  const QString language = name.section(u'.', 0, 0).section(u'@', 0, 0).section(u'_', 0, 0);
  if (language == QLatin1String("C") || language == QLatin1String("POSIX") || language == QLatin1String("ja"))
    return Language::Japanese;
  return Language::English;
}

}  // namespace ikea::ui
