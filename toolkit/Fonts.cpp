#include "toolkit/Fonts.h"

#include <QStringList>

namespace ikea::tk {

QString FamilyOf(Face face) {
  return face == Face::Gothic ? QStringLiteral("IPAGothic") : QStringLiteral("IPAPGothic");
}

QFont MakeFont(const FontSpec& spec) {
  QFont font;
  // A default QFont resolves nothing: every field still follows the parent.
  if (spec.face) font.setFamilies(QStringList{FamilyOf(*spec.face)});
  if (spec.pixels) font.setPixelSize(*spec.pixels);
  if (spec.bold) font.setBold(*spec.bold);
  return font;
}

QFont WindowFont() {
  QFont font(FamilyOf(Face::PGothic));
  font.setPixelSize(12);
  font.setBold(false);
  return font;
}

}  // namespace ikea::tk
