#pragma once
// The game's window `Form1`: every widget of every screen, the timers, the
// start-up and shut-down, and the window as the game's rules see it (View).
#include <filesystem>
#include <functional>
#include <memory>

#include "fishing/MessageLine.h"
#include "game/Catalogues.h"
#include "game/GameContext.h"
#include "game/GameState.h"
#include "game/View.h"
#include "toolkit/Handlers.h"
#include "toolkit/Timer.h"
#include "toolkit/Window.h"
#include "ui/WidgetCanvas.h"
#include "ui/WidgetSet.h"

namespace ikea {

class RandomSource;
class Clock;
class GameSound;
struct StatusTexts;

namespace tk {
class BarGauge;
class Button;
class Edit;
class Label;
class ListBox;
class Panel;
class PictureBox;
}  // namespace tk

// What the window is built from; main wires the real ones, tests their own.
struct FormParts {
  RandomSource& rnd;
  Clock& clock;
  GameSound& sound;
  tk::Dialogs& dialogs;
  std::filesystem::path folder;          // the player's files: dat/my.dat, name.dat, export
  std::filesystem::path assets;          // cg/ and the rest of dat/; empty = `folder`
  std::function<void()> seedRandom;      // seeds `rnd` from the clock
  std::function<void()> loadCueWaves;    // the five cue waves; may throw
  std::function<void()> releaseCueWaves; // may throw
};

class TForm1 final : public tk::Window, public View, private MessageLabels {
public:
  // Builds every widget and runs FormCreate; the caller shows the window.
  explicit TForm1(FormParts parts);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Start-up, timers, help and shut-down of the window.
  void FormCreate();
  void FormClose();
  void FormDestroy();
  void Timer1Timer();
  void Timer3Timer();
  void Button28Click();
  void Image4MouseDown();

  GameContext& Context() { return ctx_; }
  GameState& State() { return *s_; }
  Catalogues& Catalogue() { return *cat_; }
  tk::Timer& Timer1() { return timer1_; }
  tk::Timer& Timer3() { return timer3_; }
  const ui::WidgetSet& Widgets() const { return widgets_; }

  // View.
  void TypeMessage(const Text& text) override;
  void TypeMessageLine(const Text& text) override;
  void ShowMessage(const Text& text) override;
  bool AskYesNo(const Text& text) override;
  bool IsShown(Panel panel) const override;
  void SetShown(Panel panel, bool shown) override;
  void MovePanel(Panel panel, int left, int top) override;
  void SetCaption(const Text& caption) override;
  Canvas& PondCanvas() override;
  void ListClear() override;
  void ListAdd(const Text& line) override;
  int ListCount() const override;
  Text ListLine(int index) const override;
  void ListSetLine(int index, const Text& line) override;
  int ListSelected() const override;
  void ListSelect(int index) override;
  void SetCardTitle(const Text& caption) override;
  void MoveCardTitle(int left, int top) override;
  void SetCardText(const Text& text) override;
  void SetNameEdit(const Text& text) override;
  void SetNameLimit(int bytes) override;
  void SetTankPicture(const Text& relativePath) override;
  void SetRunnerLeft(int runner, int left) override;
  int RunnerLeft(int runner) const override;
  void SetRunnerCaption(int runner, const Text& caption) override;
  Text RunnerCaption(int runner) const override;
  int RunnerWidth(int runner) const override;
  void SetRaceCard(const Text& text) override;

  // Main view.
  tk::Label* moji_l;
  tk::PictureBox* cg;
  tk::Label* state_l;
  tk::BarGauge* line_tenshion_l;
  tk::Label* line_max_l;
  tk::Label* Label10;
  tk::Label* state_l2;
  tk::Button* Button28;
  tk::Button* Button3;
  tk::Button* sao_b;
  tk::Button* Button2;
  tk::Button* Button1;
  tk::Button* maku_b;
  tk::Button* Button8;
  tk::Button* Button9;
  tk::PictureBox* bak;
  // Panels.
  tk::Panel* fish_box;
  tk::Panel* race_box2;
  tk::Panel* shop_box;
  tk::Panel* start_box;
  tk::Panel* race_box;
  tk::Panel* help_box;
  // Tank.
  tk::Label* fish_l;
  tk::Label* fish_n_l;
  tk::Label* moji_l2;
  tk::Label* state_l3;
  tk::PictureBox* suisou_cg;
  tk::ListBox* fish_list;
  tk::Edit* name_l;
  tk::Button* mame_b;
  tk::Button* milk_b;
  tk::Button* ebi_b;
  tk::Button* jis_b;
  // Shop.
  tk::Button* gun_b;
  tk::Button* line_b;
  tk::Button* real_b;
  // Start screen.
  tk::PictureBox* title_cg;
  tk::PictureBox* Image1;
  tk::PictureBox* Image2;
  tk::PictureBox* Image4;
  // Race.
  tk::PictureBox* Image3;
  tk::Label* race_l;
  tk::Button* race_start_b;

private:
  const std::filesystem::path& AssetFolder() const {
    return parts_.assets.empty() ? parts_.folder : parts_.assets;
  }
  // MessageLabels, for the message typing.
  void SetMain(const Text& caption) override;
  Text Main() const override;
  void SetCopy(const Text& caption) override;
  void RepaintAndProcessMessages() override;
  bool IsClosing() const override { return closing_; }

  void BindWidgets();
  void BindHandlers();
  void ApplyStatus(const StatusTexts& status);
  void LoadFramePictures();
  void PlacePanels();
  void DrawTitleFrame();
  QWidget* PanelWidget(Panel panel) const;
  tk::Label* RunnerLabel(int runner) const;
  const QImage* HeldPicture(const std::string& holder) const;
  void StepRace();

  FormParts parts_;
  std::unique_ptr<GameState> s_;
  std::unique_ptr<Catalogues> cat_;
  GameContext ctx_;
  ui::WidgetSet widgets_;
  std::unique_ptr<ui::WidgetCanvas> pondCanvas_; // over `cg`
  MessageTyper typer_;
  tk::Timer timer1_;
  tk::Timer timer3_;
  bool closing_ = false;
  bool destroyed_ = false;
  // True while the card puts a stored name into `name_l`: only the player's
  // typing may change a name, and a stored name with bytes that have no
  // character would come back from the edit erased or cut.
  bool showingName_ = false;
};

}  // namespace ikea
