#pragma once
// The window's own texts (its menu) and Qt's (the message boxes' buttons)
// in the language the game is played in.
#include "ui/Language.h"

class QCoreApplication;

namespace ikea::ui {

// Replaces the translations installed before; Qt's own English needs none.
void InstallTranslations(QCoreApplication& app, Language language);

}  // namespace ikea::ui
