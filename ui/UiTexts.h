#pragma once
// The window's own texts and file names (cp932), kept apart from the Qt code:
// Qt's headers cannot be compiled with cp932 literals.
#include <span>

#include "base/Text.h"

namespace ikea::ui {

Text WindowCaption();         // the window's caption
Text BackgroundPicture();     // the picture held by `bak`
Text OpeningMusic();
Text HelpCue();               // played by HELP
Text Image4Cue();             // played by a press on the title's click area

// A frame picture: its holder and its file below the game folder.
struct FramePicture {
  const char* holder;
  const char* file;
};

// The 24 frame pictures in loading order.
std::span<const FramePicture> FramePictures();

}  // namespace ikea::ui
