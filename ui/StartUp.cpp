// Start-up, the title animation, help and shut-down of the window.
#include "game/GameFolder.h"
#include "game/GameSound.h"
#include "game/SaveFile.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Look.h"
#include "ui/Form1.h"
#include "ui/UiTexts.h"

namespace ikea {
namespace {

constexpr int kTitleFrames = 6;
constexpr int kTitleFrameCountLimit = 999;

// Sound and wave errors never reach the player.
void Quietly(const std::function<void()>& step) {
  if (!step) return;
  try {
    step();
  } catch (...) {
  }
}

}  // namespace

void TForm1::FormCreate() {
  Quietly(parts_.loadCueWaves);
  try {
    if (parts_.seedRandom) parts_.seedRandom();
    LoadGameData(parts_.folder, *s_, *cat_);
    bak->LoadPicture(GamePath(AssetFolder(), ui::BackgroundPicture()));
    title_cg->setGeometry(0, 0, 409, 277);
    LoadFramePictures();
    PlacePanels();
    SetOuterSize(415, 301);
    parts_.sound.PlayMusic(ui::OpeningMusic());
    // The first frame shows the title at once rather than a bare panel
    // until the animation's first step; the count stays as it is.
    DrawTitleFrame();
  } catch (const std::exception& error) {
    // The window still comes up, as far as start-up got.
    parts_.dialogs.Inform(tk::ErrorText(error));
  }
}

void TForm1::LoadFramePictures() {
  for (const ui::FramePicture& frame : ui::FramePictures())
    widgets_.Get<tk::PictureBox>(frame.holder)->LoadPicture(GamePath(AssetFolder(), frame.file));
}

void TForm1::PlacePanels() {
  for (tk::Panel* panel : {fish_box, race_box, shop_box}) {
    panel->move(0, 0);
    panel->hide();
  }
  start_box->move(0, 0);
  fish_n_l->hide();
}

void TForm1::Timer3Timer() {
  if (!tk::IsShown(start_box)) return;
  s_->TitleFrameCount += 1;
  if (s_->TitleFrameCount > kTitleFrameCountLimit) s_->TitleFrameCount = 0;
  DrawTitleFrame();
}

void TForm1::DrawTitleFrame() {
  int k = s_->TitleFrameCount % kTitleFrames + 1;
  title_cg->Canvas().DrawPicture("title" + std::to_string(k), 0, 0);
}

void TForm1::Button28Click() {
  help_box->move(0, 0);
  help_box->setVisible(!tk::IsShown(help_box));
  parts_.sound.PlayCue0(ui::HelpCue());
}

void TForm1::Image4MouseDown() { parts_.sound.PlayCue0(ui::Image4Cue()); }

void TForm1::FormClose() {
  s_->MessageLock = 1;
  closing_ = true;
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  Quietly(parts_.releaseCueWaves);
}

}  // namespace ikea
