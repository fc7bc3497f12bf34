#include "ui/TextSet.h"

#include <QFile>
#include <cctype>

#include "base/Cp932.h"
#include "toolkit/TextCodec.h"

namespace ikea::ui {
namespace {

std::size_t CharLength(const Text& text, std::size_t at) {
  return tk::IsCp932LeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

// The first place at or after `from`, on a character's start, where `what`
// stands in `text`; npos when nowhere.
std::size_t FindAtCharacter(const Text& text, const Text& what, std::size_t from) {
  for (std::size_t at = from; at <= text.size(); at += at < text.size() ? CharLength(text, at) : 1) {
    if (text.compare(at, what.size(), what) == 0) return at;
    if (at == text.size()) break;
  }
  return Text::npos;
}

// Splits a text into literals and the placeholders between them.
void Split(const Text& text, std::vector<Text>& literals, std::vector<std::string>& placeholders) {
  literals.assign(1, Text());
  placeholders.clear();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = CharLength(text, at);
    const std::size_t close = length == 1 && text[at] == '{' ? text.find('}', at) : Text::npos;
    if (close != Text::npos) {
      placeholders.push_back(text.substr(at + 1, close - at - 1));
      literals.emplace_back();
      at = close + 1;
      continue;
    }
    literals.back() += text.substr(at, length);
    at += length;
  }
}

std::string Unescape(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\\' && i + 1 < utf8.size()) {
      const char next = utf8[++i];
      out += next == 'r' ? '\r' : next;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

bool IsAscii(const Text& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::string GroupOf(const std::string& key) { return key.substr(0, key.find('.')); }

bool IsGroup(const std::string& placeholder) {
  const std::string kind = PlaceholderKind(placeholder);
  return kind != "n" && kind != "name" && kind != "clock" && kind != "stars" && kind != "rival" && kind != "cups";
}

}  // namespace

TextFile ParseTextFile(const std::string& utf8, bool withWidget) {
  TextFile file;
  std::size_t start = 0;
  while (start < utf8.size()) {
    std::size_t end = utf8.find('\n', start);
    if (end == std::string::npos) end = utf8.size();
    const std::string line = utf8.substr(start, end - start);
    start = end + 1;
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab = line.find('\t');
    const std::size_t tab2 = withWidget && tab != std::string::npos ? line.find('\t', tab + 1) : tab;
    if (tab == std::string::npos || tab2 == std::string::npos) {
      file.errors.push_back(line);
      continue;
    }
    auto text = Utf8ToCp932(Unescape(line.substr(tab2 + 1)));
    if (!text) {
      file.errors.push_back(line);
      continue;
    }
    file.entries.push_back({line.substr(0, tab), withWidget ? line.substr(tab + 1, tab2 - tab - 1) : "", *text});
  }
  return file;
}

TextFile ReadTextFile(const QString& path, bool withWidget) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {{}, {"cannot read " + path.toStdString()}};
  return ParseTextFile(file.readAll().toStdString(), withWidget);
}

std::string PlaceholderKind(const std::string& name) {
  std::string kind = name;
  while (!kind.empty() && std::isdigit(static_cast<unsigned char>(kind.back()))) kind.pop_back();
  return kind;
}

std::vector<std::string> Placeholders(const Text& text) {
  std::vector<Text> literals;
  std::vector<std::string> placeholders;
  Split(text, literals, placeholders);
  return placeholders;
}

TextSet::TextSet(const std::vector<TextEntry>& japanese, const std::vector<TextEntry>& english) {
  std::map<std::string, Text> englishByKey;
  for (const TextEntry& e : english) englishByKey[e.key] = e.text;
  for (const TextEntry& ja : japanese) {
    auto en = englishByKey.find(ja.key);
    if (en == englishByKey.end()) continue;
    Pattern p;
    Split(ja.text, p.literals, p.placeholders);
    p.english = en->second;
    if (p.placeholders.empty()) {
      whole_.emplace(ja.text, en->second);
      groups_[GroupOf(ja.key)].emplace(ja.text, en->second);
      if (GroupOf(ja.key) == "cup") cups_.emplace_back(ja.text, en->second);
    } else {
      patterns_.push_back(std::move(p));
    }
  }
}

Text TextSet::Member(const std::string& group, const Text& japanese) const {
  auto g = groups_.find(group);
  if (g == groups_.end()) return japanese;
  auto found = g->second.find(japanese);
  return found == g->second.end() ? japanese : found->second;
}

Text TextSet::Translate(const Text& cp932, tk::TextKind kind) const {
  if (kind == tk::TextKind::Name) return cp932;
  if (kind == tk::TextKind::Rival) return Rival(cp932);
  if (IsAscii(cp932)) return cp932;
  if (auto whole = whole_.find(cp932); whole != whole_.end()) return whole->second;
  std::map<std::string, Text> parts;
  for (const Pattern& p : patterns_) {
    parts.clear();
    if (Match(p, cp932, parts)) return Fill(p, parts);
  }
  return cp932;
}

bool TextSet::Match(const Pattern& p, const Text& text, std::map<std::string, Text>& parts) const {
  if (text.compare(0, p.literals[0].size(), p.literals[0]) != 0) return false;
  std::size_t at = p.literals[0].size();
  for (std::size_t k = 0; k < p.placeholders.size(); ++k) {
    const Text& next = p.literals[k + 1];
    const bool last = k + 1 == p.placeholders.size();
    std::size_t end;
    if (PlaceholderKind(p.placeholders[k]) == "n") {
      end = at;
      if (end < text.size() && text[end] == '-') ++end;
      const std::size_t digits = end;
      while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
      if (end == digits || text.compare(end, next.size(), next) != 0) return false;
    } else if (last) {
      if (text.size() < at + next.size()) return false;
      end = text.size() - next.size();
      if (FindAtCharacter(text, next, end) != end) return false;
    } else {
      end = FindAtCharacter(text, next, at);
      if (end == Text::npos) return false;
    }
    const Text part = text.substr(at, end - at);
    // A group's place holds one of its members, or nothing.
    if (IsGroup(p.placeholders[k]) && !part.empty() && TranslatePart(p.placeholders[k], part) == part) return false;
    parts[p.placeholders[k]] = part;
    at = end + next.size();
  }
  return at == text.size();
}

Text TextSet::Fill(const Pattern& p, const std::map<std::string, Text>& parts) const {
  std::vector<Text> literals;
  std::vector<std::string> placeholders;
  Split(p.english, literals, placeholders);
  Text out = literals[0];
  for (std::size_t k = 0; k < placeholders.size(); ++k) {
    auto part = parts.find(placeholders[k]);
    if (part != parts.end()) out += TranslatePart(placeholders[k], part->second);
    out += literals[k + 1];
  }
  return out;
}

Text TextSet::TranslatePart(const std::string& placeholder, const Text& part) const {
  const std::string kind = PlaceholderKind(placeholder);
  if (kind == "rival") return Rival(part);
  if (kind == "cups") return Cups(part);
  if (!IsGroup(placeholder)) return part;
  if (kind == "goods") {
    // What the shop sells: a gun, a line or a reel.
    for (const char* group : {"gun", "line", "reel", "goods"})
      if (Text english = Member(group, part); english != part) return english;
    return part;
  }
  return Member(kind, part);
}

Text TextSet::Rival(const Text& name) const {
  Text known = Member("rival", name);
  if (auto whole = whole_.find(name); known == name && whole != whole_.end()) known = whole->second;
  if (known != name || IsAscii(name) || name.size() % 2 != 0) return known;
  // An invented name: two-byte syllables, each in Latin letters.
  Text latin;
  for (std::size_t at = 0; at < name.size(); at += 2) {
    const Text syllable = name.substr(at, 2);
    const Text romaji = Member("syllable", syllable);
    if (romaji == syllable) return name;
    latin += romaji;
  }
  if (!latin.empty()) latin[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(latin[0])));
  return latin;
}

Text TextSet::Cups(const Text& list) const {
  Text out = list;
  for (const auto& [japanese, english] : cups_) {
    for (std::size_t at = FindAtCharacter(out, japanese, 0); at != Text::npos;
         at = FindAtCharacter(out, japanese, at + english.size()))
      out.replace(at, japanese.size(), english);
  }
  return out;
}

const TextFile& JapaneseTexts() {
  static const TextFile file = ReadTextFile(QStringLiteral(":/texts/ja.txt"), true);
  return file;
}

const TextFile& EnglishTexts() {
  static const TextFile file = ReadTextFile(QStringLiteral(":/texts/en.txt"), false);
  return file;
}

const TextSet& English() {
  static const TextSet set(JapaneseTexts().entries, EnglishTexts().entries);
  return set;
}

}  // namespace ikea::ui
