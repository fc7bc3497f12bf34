// The window as the game's rules see it, over the real widgets.
#include "game/GameFolder.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Look.h"
#include "toolkit/Panel.h"
#include "toolkit/ShownText.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Button.h"
#include "town/RaceRunners.h"
#include "ui/Form1.h"

namespace ikea {

// A message is translated whole before it is typed out byte by byte.
void TForm1::TypeMessage(const Text& text) { typer_.TypeMessage(tk::Translated(text)); }
void TForm1::TypeMessageLine(const Text& text) { typer_.TypeMessageLine(tk::Translated(text)); }
void TForm1::ShowMessage(const Text& text) { parts_.dialogs.Inform(text); }
bool TForm1::AskYesNo(const Text& text) { return parts_.dialogs.AskYesNo(text); }

QWidget* TForm1::PanelWidget(Panel panel) const {
  switch (panel) {
    case Panel::Start: return start_box;
    case Panel::Fish: return fish_box;
    case Panel::RaceChooser: return race_box2;
    case Panel::Race: return race_box;
    case Panel::Shop: return shop_box;
    case Panel::Help: return help_box;
    case Panel::RaceStartButton: return race_start_b;
    case Panel::CardTitle: return fish_n_l;
  }
  return nullptr;
}

bool TForm1::IsShown(Panel panel) const { return tk::IsShown(PanelWidget(panel)); }
void TForm1::SetShown(Panel panel, bool shown) { PanelWidget(panel)->setVisible(shown); }
void TForm1::MovePanel(Panel panel, int left, int top) { PanelWidget(panel)->move(left, top); }

void TForm1::SetCaption(const Text& caption) { tk::Window::SetCaption(caption); }

Canvas& TForm1::PondCanvas() { return *pondCanvas_; }

void TForm1::ListClear() { fish_list->Clear(); }
void TForm1::ListAdd(const Text& line) { fish_list->Add(line); }
int TForm1::ListCount() const { return fish_list->Count(); }
Text TForm1::ListLine(int index) const { return fish_list->Line(index); }
void TForm1::ListSetLine(int index, const Text& line) { fish_list->SetLine(index, line); }
int TForm1::ListSelected() const { return fish_list->Selected(); }
void TForm1::ListSelect(int index) { fish_list->Select(index); }

void TForm1::SetCardTitle(const Text& caption) { fish_n_l->SetCaption(caption); }
void TForm1::MoveCardTitle(int left, int top) { fish_n_l->move(left, top); }
void TForm1::SetCardText(const Text& text) { fish_l->SetCaption(text); }
void TForm1::SetNameEdit(const Text& text) {
  showingName_ = true;
  name_l->SetText(text);
  showingName_ = false;
}
void TForm1::SetNameLimit(int bytes) { name_l->SetMaxBytes(bytes); }

void TForm1::SetTankPicture(const Text& relativePath) {
  suisou_cg->LoadPicture(GamePath(AssetFolder(), relativePath));
}

tk::Label* TForm1::RunnerLabel(int runner) const {
  if (runner < PlayerRunner || runner > LastRunner) return nullptr;
  return widgets_.Get<tk::Label>("fish_" + std::to_string(runner));
}

void TForm1::SetRunnerLeft(int runner, int left) {
  if (auto* label = RunnerLabel(runner)) label->move(left, label->y());
}

int TForm1::RunnerLeft(int runner) const {
  auto* label = RunnerLabel(runner);
  return label ? label->x() : 0;
}

void TForm1::SetRunnerCaption(int runner, const Text& caption) {
  if (auto* label = RunnerLabel(runner)) label->SetCaption(caption);
}

Text TForm1::RunnerCaption(int runner) const {
  auto* label = RunnerLabel(runner);
  return label ? label->Caption() : Text();
}

// The race is run on the measure the game's own texts give, whatever the
// language the names are shown in.
int TForm1::RunnerWidth(int runner) const {
  auto* label = RunnerLabel(runner);
  return label ? label->NativeWidth() : 0;
}

void TForm1::SetRaceCard(const Text& text) { race_l->SetCaption(text); }

}  // namespace ikea
