#pragma once
// The game's texts in another language, as data: one entry a text, keyed
// alike in every language. A Japanese entry is the game's own text (cp932);
// a composed one holds placeholders in braces where its parts go:
//   {n}        a whole number, shown as it is
//   {name}, {clock}, {stars}  a stored name, a time, stars: shown as they are
//   {rival}    a rival runner's name: its own entry, or syllable by syllable
//   {cups}     the card's cup list: each cup's entry put in place
//   {goods}    a gun, a line or a reel of the shop
//   {species}, {remark}, {gun}, ...  the entry with that group's key prefix
// A placeholder may end in a digit to tell two of one kind apart ({n1}).
#include <map>
#include <string>
#include <vector>

#include "base/Text.h"
#include "toolkit/ShownText.h"

class QString;

namespace ikea::ui {

struct TextEntry {
  std::string key;
  std::string widget;  // where the game shows it (Japanese set only)
  Text text;           // cp932
};

struct TextFile {
  std::vector<TextEntry> entries;
  std::vector<std::string> errors;  // lines that could not be read
};

// Lines "key<TAB>text" (English) or "key<TAB>widget<TAB>text" (Japanese),
// UTF-8; "\r" stands for a line break and "\\" for the byte 0x5C (the yen
// sign). Blank lines and lines starting with '#' are skipped.
TextFile ParseTextFile(const std::string& utf8, bool withWidget);
TextFile ReadTextFile(const QString& path, bool withWidget);

// A placeholder's kind: its name without a trailing digit.
std::string PlaceholderKind(const std::string& name);
// The placeholders of a text in order.
std::vector<std::string> Placeholders(const Text& text);

class TextSet final : public tk::Translator {
public:
  TextSet(const std::vector<TextEntry>& japanese, const std::vector<TextEntry>& english);

  Text Translate(const Text& cp932, tk::TextKind kind) const override;

  // The English of one group member ("species" and the Japanese name), or
  // the text itself.
  Text Member(const std::string& group, const Text& japanese) const;

private:
  struct Pattern {
    std::vector<Text> literals;            // one more than placeholders
    std::vector<std::string> placeholders;
    Text english;
  };
  bool Match(const Pattern& p, const Text& text, std::map<std::string, Text>& parts) const;
  Text Fill(const Pattern& p, const std::map<std::string, Text>& parts) const;
  Text TranslatePart(const std::string& placeholder, const Text& part) const;
  Text Rival(const Text& name) const;
  Text Cups(const Text& list) const;

  std::map<Text, Text> whole_;
  std::map<std::string, std::map<Text, Text>> groups_;
  std::vector<Pattern> patterns_;
  std::vector<std::pair<Text, Text>> cups_;
};

// The program's own sets, read once from its resources.
const TextFile& JapaneseTexts();
const TextFile& EnglishTexts();
const TextSet& English();

}  // namespace ikea::ui
