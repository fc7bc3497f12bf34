// The English text set: the same keys as the game's own, an English text for
// everything the game shows, and every English text fitting where it is shown.
#include <QStyleOptionButton>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <sstream>

#include "GameFolderFixture.h"
#include "base/Cp932.h"
#include "game/Catalogues.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/TextCodec.h"
#include "tools/assetgen/pictures/RivalNames.h"
#include "ui/Layout.h"
#include "ui/TextSet.h"

namespace ikea::test {
namespace {

constexpr int kDrawnRivalNames = 226;

// No kana or kanji left, but for the export's own file name.
bool ReadsAsEnglish(const Text& cp932) {
  QString text = tk::DisplayText(cp932);
  text.remove(QStringLiteral("おさかなデータ"));
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3040 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF61 && u <= 0xFF9F)) return false;
  }
  return !text.isEmpty();
}

std::map<std::string, const ui::TextEntry*> ByKey(const ui::TextFile& file) {
  std::map<std::string, const ui::TextEntry*> keys;
  for (const ui::TextEntry& e : file.entries) EXPECT_TRUE(keys.emplace(e.key, &e).second) << "twice: " << e.key;
  return keys;
}

TEST(EnglishTexts, holdTheKeysAndPlaceholdersOfTheJapaneseOnes) {
  const ui::TextFile& ja = ui::JapaneseTexts();
  const ui::TextFile& en = ui::EnglishTexts();
  EXPECT_EQ(ja.errors, std::vector<std::string>{});
  EXPECT_EQ(en.errors, std::vector<std::string>{});
  const auto jaKeys = ByKey(ja), enKeys = ByKey(en);
  for (const auto& [key, entry] : jaKeys) {
    auto english = enKeys.find(key);
    if (english == enKeys.end()) {
      ADD_FAILURE() << "no English for " << key;
      continue;
    }
    auto jp = ui::Placeholders(entry->text), ep = ui::Placeholders(english->second->text);
    EXPECT_EQ(std::multiset<std::string>(jp.begin(), jp.end()), std::multiset<std::string>(ep.begin(), ep.end()))
        << key;
  }
  for (const auto& [key, entry] : enKeys) EXPECT_TRUE(jaKeys.count(key)) << "English only: " << key;
  std::printf("texts: %zu Japanese, %zu English\n", ja.entries.size(), en.entries.size());
}

// Every catalogue entry, caption, drawn rival name and invented name.
std::vector<std::pair<Text, tk::TextKind>> HeldTexts() {
  std::vector<std::pair<Text, tk::TextKind>> texts;
  const auto game = tk::TextKind::Game, rival = tk::TextKind::Rival;
  Catalogues cat;
  cat.FillConstants();
  for (const tfish& f : cat.SpeciesTable)
    if (!f.Name.empty()) texts.insert(texts.end(), {{f.Name, game}, {f.Remark, game}});
  auto add = [&texts](const auto& table) {
    for (const Text& t : table)
      if (!t.empty()) texts.emplace_back(t, tk::TextKind::Game);
  };
  add(cat.ReelNames);
  add(cat.GunNames);
  add(cat.LineNames);
  add(cat.PondSayings);
  for (const ui::WidgetRow& row : ui::WindowLayout())
    if (!Cp932ToUtf8(row.caption).empty() && !ReadsAsEnglish(row.caption))
      texts.emplace_back(row.caption, game);
  for (int k = 0; k < kDrawnRivalNames; ++k) texts.emplace_back(Sjis(assets::RivalNamesUtf8()[k]), rival);
  for (int k = 0; k + 3 < 92; k += 4)
    texts.emplace_back(KanaSyllable(k) + KanaSyllable(k + 1) + KanaSyllable(k + 2) + KanaSyllable(k + 3), rival);
  return texts;
}

// The game's Japanese literals, as its sources hold them.
std::vector<std::string> SourceLiterals() {
  static const std::regex literal(R"re("((?:[^"\\]|\\.)*)")re");
  std::vector<std::string> found;
  for (const char* file : {"game/StartChoices.cpp", "game/FileErrors.cpp", "game/SaveTextReader.cpp",
                           "fishing/Casting.cpp", "fishing/Landing.cpp", "fishing/LineFight.cpp",
                           "fishing/PondRules.cpp", "fishing/Status.cpp", "fishing/Tick.cpp", "town/Feeding.cpp",
                           "town/FishCard.cpp", "town/RaceClasses.cpp", "town/RaceEntry.cpp", "town/RaceRun.cpp",
                           "town/Shop.cpp", "town/Tank.cpp", "toolkit/PictureFile.cpp", "ui/UiTexts.cpp"}) {
    std::ifstream in(std::string(IKEASOBI_SOURCE_DIR) + "/" + file);
    EXPECT_TRUE(in) << file;
    std::stringstream all;
    all << in.rdbuf();
    const std::string text = all.str();
    for (std::sregex_iterator m(text.begin(), text.end(), literal), end; m != end; ++m) {
      std::string s = std::regex_replace((*m)[1].str(), std::regex(R"(\\r)"), "\r");
      s = std::regex_replace(s, std::regex(R"(\\\\)"), "\\");
      if (std::any_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        found.push_back(s);
    }
  }
  return found;
}

TEST(EnglishTexts, everyTextTheGameShowsHasItsEnglish) {
  for (const auto& [text, kind] : HeldTexts())
    EXPECT_TRUE(ReadsAsEnglish(ui::English().Translate(text, kind))) << Cp932ToUtf8(text);
  // Composed texts: each of the sources' Japanese pieces stands in an entry.
  // Picture files are named, not shown.
  std::string all;
  for (const ui::TextEntry& e : ui::JapaneseTexts().entries) all += Cp932ToUtf8(e.text) + "\n";
  for (const std::string& piece : SourceLiterals()) {
    if (piece.find(".bmp") != std::string::npos) continue;
    EXPECT_NE(all.find(piece), std::string::npos) << "no entry holds \"" << piece << "\"";
  }
}

}  // namespace
}  // namespace ikea::test

namespace ikea::test {
namespace {

// Autosized labels: the room they have before they reach the next widget.
const std::map<std::string, int> kRoom = {
    {"Label2", 300},  {"Label3", 290},  {"Label4", 380},  {"Label16", 290}, {"Label7", 46},
    {"Label8", 46},   {"Label9", 51},   {"Label11", 51},  {"Label12", 51},  {"Label13", 52},
    {"Label14", 52},  {"Label15", 52},  {"Label20", 290}, {"Label21", 290}, {"Label22", 290},
    {"fish_n_l", 230}, {"state_l2", 300}, {"fish_2", 150}, {"fish_3", 150}, {"fish_4", 150},
    {"fish_5", 150},  {"fish_6", 150},
};

// What a placeholder gets in the Japanese text before it is translated.
std::vector<Text> Members(const std::string& group) {
  std::vector<Text> members;
  for (const ui::TextEntry& e : ui::JapaneseTexts().entries)
    if (e.key.rfind(group + ".", 0) == 0 && ui::Placeholders(e.text).empty()) members.push_back(e.text);
  return members;
}

Text WidestSample(const std::string& kind, const QFontMetrics& metrics) {
  if (kind == "n") return "999";
  if (kind == "name") return "Goldfinger";
  if (kind == "clock") return "00:01:23";
  if (kind == "stars") return Sjis("★★★★★★★");
  if (kind == "cups") return Sjis("弱CUP(9) 年CUP(9)");
  std::vector<Text> members;
  for (const std::string& group : kind == "goods" ? std::vector<std::string>{"gun", "line", "reel"}
                                                  : std::vector<std::string>{kind})
    for (const Text& m : Members(group)) members.push_back(m);
  Text widest;
  int widestWidth = -1;
  for (const Text& m : members) {
    const tk::TextKind k = kind == "rival" ? tk::TextKind::Rival : tk::TextKind::Game;
    const int w = metrics.horizontalAdvance(tk::DisplayText(ui::English().Translate(m, k)));
    if (w > widestWidth) widest = m, widestWidth = w;
  }
  return widest;
}

// The Japanese text with its placeholders filled so the English is widest.
Text Sample(const Text& japanese, const QFontMetrics& metrics) {
  Text out = japanese;
  for (const std::string& p : ui::Placeholders(japanese)) {
    const std::string braced = "{" + p + "}";
    out.replace(out.find(braced), braced.size(), WidestSample(ui::PlaceholderKind(p), metrics));
  }
  return out;
}

// Where the text does not fit, why; empty where it fits.
std::string Misfit(QWidget* widget, const std::string& name, const QString& text) {
  const QFontMetrics metrics = widget->fontMetrics();
  if (auto* button = dynamic_cast<tk::Button*>(widget)) {
    QStyleOptionButton option;
    option.initFrom(button);
    const int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
    return metrics.horizontalAdvance(text) > room ? "wider than the button (" + std::to_string(room) + ")" : "";
  }
  if (auto* list = dynamic_cast<tk::ListBox*>(widget))
    return metrics.horizontalAdvance(text) > list->viewport()->width() - 4 ? "wider than the list" : "";
  if (auto* edit = dynamic_cast<tk::Edit*>(widget))
    return metrics.horizontalAdvance(text) > edit->width() - 4 ? "wider than the edit" : "";
  auto* label = dynamic_cast<tk::Label*>(widget);
  if (!label) return "not a label, button or list";
  if (auto room = kRoom.find(name); room != kRoom.end()) {
    for (const QString& line : tk::BreakLines(text, metrics, 0))
      if (metrics.horizontalAdvance(line) > room->second) return "runs past its room: " + line.toStdString();
    return "";
  }
  const bool wraps = label->WordWrap();
  const QStringList lines = tk::BreakLines(text, metrics, wraps ? label->width() : 0);
  for (const QString& line : lines)
    if (metrics.horizontalAdvance(line) > label->width()) return "line cut: " + line.toStdString();
  const int lineHeight = label->font().pixelSize();
  if (lines.size() * lineHeight > label->height()) return std::to_string(lines.size()) + " lines";
  return "";
}

class EnglishFit : public GameFolderTest {};

TEST_F(EnglishFit, everyEnglishTextFitsTheWidgetThatShowsIt) {
  Open();
  int checked = 0;
  for (const ui::TextEntry& e : ui::JapaneseTexts().entries) {
    if (e.widget == "-" || e.widget == "box" || e.widget == "window") continue;
    std::stringstream widgets(e.widget);
    for (std::string name; std::getline(widgets, name, ',');) {
      QWidget* widget = form->Widgets().Find(name);
      ASSERT_NE(widget, nullptr) << e.key << ": " << name;
      const tk::TextKind kind = e.key.rfind("rival.", 0) == 0 ? tk::TextKind::Rival : tk::TextKind::Game;
      const Text english = ui::English().Translate(Sample(e.text, widget->fontMetrics()), kind);
      EXPECT_TRUE(ReadsAsEnglish(english)) << e.key << ": " << Cp932ToUtf8(english);
      const std::string misfit = Misfit(widget, name, tk::DisplayText(english));
      EXPECT_EQ(misfit, "") << e.key << " in " << name << ": " << Cp932ToUtf8(english);
      ++checked;
    }
  }
  EXPECT_GT(checked, 500);
}

}  // namespace
}  // namespace ikea::test
