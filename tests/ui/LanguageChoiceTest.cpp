// Which language a run plays in, and the menu that changes it at once.
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "GameFolderFixture.h"
#include "toolkit/Button.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/ShownText.h"
#include "ui/CommandLine.h"
#include "ui/GameWindow.h"
#include "ui/TextSet.h"
#include "ui/WindowSettings.h"

namespace ikea::test {
namespace {

using ui::Language;

TEST(LanguageChoice, theRunsOptionThenTheMenusChoiceThenTheDesktopsLocale) {
  const struct { const char *all, *messages, *lang; Language expected; } locales[] = {
      {nullptr, nullptr, nullptr, Language::Japanese},  {nullptr, nullptr, "ja_JP.UTF-8", Language::Japanese},
      {nullptr, nullptr, "C", Language::Japanese},       {nullptr, nullptr, "C.UTF-8", Language::Japanese},
      {"", "", "POSIX", Language::Japanese},             {nullptr, nullptr, "en_GB.UTF-8", Language::English},
      {nullptr, nullptr, "de_DE@euro", Language::English}, {"ja_JP.eucJP", nullptr, "en_US", Language::Japanese},
      {nullptr, "fr_FR", "ja_JP", Language::English},
  };
  for (const auto& l : locales)
    EXPECT_EQ(ui::DesktopLanguage(l.all, l.messages, l.lang), l.expected)
        << (l.all ? l.all : "-") << " " << (l.messages ? l.messages : "-") << " " << (l.lang ? l.lang : "-");

  const auto parse = [](QStringList args) { return ui::ParseCommandLine(QStringList{"ikeasobi"} + args); };
  EXPECT_EQ(parse({"--language", "en"}).language, Language::English);
  EXPECT_EQ(parse({"--language=ja"}).language, Language::Japanese);
  EXPECT_EQ(parse({"--language", "fr"}).error, "--language takes ja or en, not 'fr'.");
  EXPECT_TRUE(parse({}).usage.contains("--language <ja|en>"));

  ui::WindowSettings chosen;
  chosen.language = Language::English;
  EXPECT_EQ(ui::LanguageInForce(chosen, parse({"--language", "ja"}), Language::English), Language::Japanese);
  EXPECT_EQ(ui::LanguageInForce(chosen, parse({}), Language::Japanese), Language::English);
  EXPECT_EQ(ui::LanguageInForce({}, parse({}), Language::English), Language::English);
  QTemporaryDir dir;
  ASSERT_TRUE(ui::WriteWindowSettings(dir.filePath("ikeasobi.conf"), chosen));
  EXPECT_EQ(ui::ReadWindowSettings(dir.filePath("ikeasobi.conf")).language, Language::English);
}

class LanguageMenu : public GameFolderTest {
protected:
  ~LanguageMenu() override { tk::SetTranslator(nullptr); }
  QTemporaryDir dir;
  QString file = dir.filePath("ikeasobi.conf");
};

TEST_F(LanguageMenu, choosingEnglishShowsItAtOnceAndIsRememberedButTheRunsOptionIsNot) {
  Open();
  ui::CommandLine run;
  run.language = Language::Japanese;
  ui::GameWindow window(form.get(), {file, run, {}, Language::Japanese, [](Language l) {
                                       tk::SetTranslator(l == Language::English ? &ui::English() : nullptr);
                                       tk::RetranslateWidgets();
                                     }});
  EXPECT_EQ(form->Button3->text(), QStringLiteral("釣具店"));
  EXPECT_FALSE(ui::ReadWindowSettings(file).language);
  QAction* english = nullptr;
  for (QAction* a : window.Menu().actions())
    if (a->menu())
      for (QAction* b : a->menu()->actions())
        if (b->text() == QStringLiteral("English")) english = b;
  ASSERT_NE(english, nullptr);
  english->trigger();
  tk::ProcessMessages();
  EXPECT_EQ(form->Button3->text(), QStringLiteral("Shop"));
  EXPECT_EQ(form->Button3->Caption(), Sjis("釣具店"));
  EXPECT_EQ(ui::ReadWindowSettings(file).language, Language::English);
  EXPECT_EQ(window.Current().language, Language::English);
}

}  // namespace
}  // namespace ikea::test
