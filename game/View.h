#pragma once
// The window as the game's rules see it. TForm1 implements it over the real
// widgets; tests implement it with a recording fake. Texts are cp932.
#include <string>

#include "base/Text.h"

namespace ikea {

class Canvas;

enum class Panel { Start, Fish, RaceChooser, Race, Shop, Help, RaceStartButton, CardTitle };

class View {
public:
  virtual ~View() = default;

  // Message line (typed out byte by byte; nested events may run meanwhile).
  virtual void TypeMessage(const Text& text) = 0;
  virtual void TypeMessageLine(const Text& text) = 0;

  // Modal boxes.
  virtual void ShowMessage(const Text& text) = 0;  // information box with OK
  virtual bool AskYesNo(const Text& text) = 0;     // true = Yes

  // Panels and a few widgets that are shown or hidden.
  virtual bool IsShown(Panel panel) const = 0;
  virtual void SetShown(Panel panel, bool shown) = 0;
  virtual void MovePanel(Panel panel, int left, int top) = 0;

  virtual void SetCaption(const Text& caption) = 0;  // the window's caption

  // The pond picture `cg`.
  virtual Canvas& PondCanvas() = 0;

  // The tank list `fish_list`: 16 lines, one selected or none (-1).
  virtual void ListClear() = 0;
  virtual void ListAdd(const Text& line) = 0;
  virtual int ListCount() const = 0;
  virtual Text ListLine(int index) const = 0;
  virtual void ListSetLine(int index, const Text& line) = 0;
  virtual int ListSelected() const = 0;
  virtual void ListSelect(int index) = 0;

  // The fish card.
  virtual void SetCardTitle(const Text& caption) = 0;   // `fish_n_l`
  virtual void MoveCardTitle(int left, int top) = 0;
  virtual void SetCardText(const Text& text) = 0;       // `fish_l`
  virtual void SetNameEdit(const Text& text) = 0;       // `name_l` text
  virtual void SetNameLimit(int bytes) = 0;             // `name_l` max length
  virtual void SetTankPicture(const Text& relativePath) = 0;  // `suisou_cg`; may throw GameError

  // The race panel: runners 1..6 (`fish_1`..`fish_6`), the card `race_l`.
  virtual void SetRunnerLeft(int runner, int left) = 0;
  virtual int RunnerLeft(int runner) const = 0;
  virtual void SetRunnerCaption(int runner, const Text& caption) = 0;
  virtual Text RunnerCaption(int runner) const = 0;
  virtual int RunnerWidth(int runner) const = 0;  // caption width in the labels' font
  virtual void SetRaceCard(const Text& text) = 0;
};

} // namespace ikea
