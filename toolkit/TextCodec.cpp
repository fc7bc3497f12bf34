#include "toolkit/TextCodec.h"

#include "base/Cp932.h"

namespace ikea::tk {
namespace {

// Length of the whole characters at the front of a cp932 text.
std::size_t CompleteLength(const Text& cp932) {
  std::size_t i = 0;
  while (i < cp932.size()) {
    std::size_t width = IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    if (i + width > cp932.size()) break;
    i += width;
  }
  return i;
}

}  // namespace

QString DisplayText(const Text& cp932) {
  Text whole = cp932.substr(0, CompleteLength(cp932));
  QString text = QString::fromStdString(Cp932ToUtf8(whole));
  // Only a single-byte 0x5C decodes to a backslash: trail bytes 0x5C are part
  // of their double-byte character, so this swap never splits one.
  text.replace(QChar(u'\\'), QChar(0x00A5));
  return text;
}

std::optional<Text> ToCp932(const QString& text) { return Utf8ToCp932(text.toStdString()); }

std::optional<int> Cp932Length(const QString& text) {
  auto cp932 = ToCp932(text);
  if (!cp932) return std::nullopt;
  return static_cast<int>(cp932->size());
}

Text OwnText(const char* utf8) {
  std::string s(utf8);
  return Utf8ToCp932(s).value_or(s);
}

}  // namespace ikea::tk
