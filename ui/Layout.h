#pragma once
// The window's layout as data: every widget with its kind, parent, place,
// size, caption and look, in creation order (later ones lie above earlier
// ones of the same parent). Captions are cp932.
#include <optional>
#include <span>

#include "game/Canvas.h"
#include "toolkit/FontStyle.h"

namespace ikea::ui {

enum class Kind { Label, Button, Picture, Panel, ListBox, Edit, Gauge };

struct Look {
  std::optional<Rgb> back = {};
  std::optional<Rgb> text = {};
  tk::FontStyle font = {};
  bool hidden = false;
  bool autoSize = false;    // labels fit their text; pictures their picture
  bool wordWrap = false;
  bool rightAlign = false;
  bool transparent = false;
  bool noBorder = false;
  int itemHeight = 0;       // list box
  int maxBytes = 0;         // edit
  std::optional<Rgb> bar = {};  // gauge
  int gaugeMax = 0;
  int gaugeProgress = 0;
};

struct WidgetRow {
  Kind kind;
  const char* name;
  const char* parent;  // nullptr: the window itself
  int left, top, width, height;
  const char* caption = "";
  Look look = {};
};

// Every widget of the window, in creation order.
std::span<const WidgetRow> WindowLayout();

// The 25 picture holders: the title frames, the pond frames and `bak`.
std::span<const char* const> PictureHolderNames();

}  // namespace ikea::ui
