#pragma once
// What a widget shows for one of the game's texts: the text itself, or its
// translation into the player's language. Widgets keep the game's own bytes
// (what the rules read back); only what is drawn is translated.
#include <QString>

#include "base/Text.h"

namespace ikea::tk {

// Name: a text the player typed or the game stored, shown as it is.
// Rival: a rival runner's name. Game: any other text of the game.
enum class TextKind { Game, Rival, Name };

class Translator {
public:
  virtual ~Translator() = default;
  // The text in the player's language (cp932), or the text itself.
  virtual Text Translate(const Text& cp932, TextKind kind) const = 0;
};

// nullptr: the game's own texts. The translator must outlive its use.
void SetTranslator(const Translator* translator);

Text Translated(const Text& cp932, TextKind kind = TextKind::Game);
QString ShownText(const Text& cp932, TextKind kind = TextKind::Game);

// Makes every widget show its texts again in the current language.
void RetranslateWidgets();

}  // namespace ikea::tk
