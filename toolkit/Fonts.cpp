#include "toolkit/Fonts.h"

#include <QStringList>

namespace ikea::tk {

QString FamilyOf(Face face) {
  return face == Face::Gothic ? QStringLiteral("IPAGothic") : QStringLiteral("IPAPGothic");
}

QFont MakeFont(const FontStyle& style) {
  QFont font;
  // A default QFont resolves nothing: every field still follows the parent.
  if (style.face) font.setFamilies(QStringList{FamilyOf(*style.face)});
  if (style.pixels) font.setPixelSize(*style.pixels);
  if (style.bold) font.setBold(*style.bold);
  return font;
}

QFont WindowFont() {
  QFont font(FamilyOf(Face::PGothic));
  font.setPixelSize(12);
  font.setBold(false);
  return font;
}

}  // namespace ikea::tk
