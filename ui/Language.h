#pragma once
// The language the game is played in. The game as made is Japanese; an
// English desktop plays it in English. Only what is shown changes: the
// rules, the saves and the exported data are the same in every language.
#include <QString>
#include <optional>

namespace ikea::ui {

enum class Language { Japanese, English };

// "ja" or "en".
QString LanguageCode(Language language);
std::optional<Language> ParseLanguage(const QString& code);

// The desktop's language from the locale variables (LC_ALL, LC_MESSAGES,
// LANG, the first one set and not empty): Japanese for a Japanese locale
// and for C, POSIX or none at all, English for any other.
Language DesktopLanguage(const char* lcAll, const char* lcMessages, const char* lang);

}  // namespace ikea::ui
