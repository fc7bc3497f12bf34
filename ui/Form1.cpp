// Building the window: widgets from the layout, handlers onto them, timers.
#include "ui/Form1.h"

#include <QImage>

#include "ui/UiTexts.h"

#include "fishing/Casting.h"
#include "fishing/Status.h"
#include "fishing/Tick.h"
#include "game/StartChoices.h"
#include "toolkit/BarGauge.h"
#include "toolkit/Button.h"
#include "toolkit/Colour.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureBox.h"
#include "town/Feeding.h"
#include "town/FishExport.h"
#include "town/RaceEntry.h"
#include "town/RaceRun.h"
#include "town/Shop.h"
#include "town/RaceRunners.h"
#include "town/Tank.h"

namespace ikea {
namespace {

constexpr int kTimer1Ms = 50;
constexpr int kTimer3Ms = 200;

// Buttons and click areas whose click runs one game rule.
struct ClickBinding {
  const char* widget;
  void (*handler)(GameContext&);
};

constexpr ClickBinding kButtonClicks[] = {
    {"Button3", Button3Click},   {"sao_b", sao_bClick},       {"Button2", Button2Click},
    {"Button1", Button1Click},   {"Button8", Button8Click},   {"Button9", Button9Click},
    {"mame_b", mame_bClick},     {"milk_b", milk_bClick},     {"ebi_b", ebi_bClick},
    {"jis_b", jis_bClick},       {"Button10", Button10Click}, {"Button17", Button17Click},
    {"Button7", Button7Click},   {"Button21", Button21Click}, {"Button22", Button22Click},
    {"Button23", Button23Click}, {"Button24", Button24Click}, {"Button26", Button26Click},
    {"Button25", Button25Click}, {"Button27", Button27Click}, {"Button20", Button20Click},
    {"Button4", Button4Click},   {"Button5", Button5Click},   {"Button6", Button6Click},
    {"Button18", Button18Click}, {"Button19", Button19Click}, {"Button13", Button13Click},
    {"Button14", Button14Click}, {"Button15", Button15Click}, {"gun_b", gun_bClick},
    {"line_b", line_bClick},     {"real_b", real_bClick},     {"Button12", Button12Click},
    {"race_start_b", race_start_bClick}, {"Button11", Button11Click}, {"Button16", Button16Click},
};

// The start screen reaches NEW GAME and COUNTINE through two click areas.
constexpr ClickBinding kPictureClicks[] = {
    {"Image1", Button9Click},
    {"Image2", Button8Click},
};

}  // namespace

TForm1::TForm1(FormParts parts)
    : parts_(std::move(parts)),
      s_(std::make_unique<GameState>()),
      cat_(std::make_unique<Catalogues>()),
      ctx_{*s_, *cat_, parts_.rnd, parts_.clock, parts_.sound, *this, parts_.folder},
      widgets_(this, ui::WindowLayout()),
      typer_(*this, s_->MessageLock),
      timer1_(kTimer1Ms),
      timer3_(kTimer3Ms) {
  SetCaption(ui::WindowCaption());
  SetBackColour(tk::Hex(0x0058B0));
  SetOuterSize(415, 301);
  move(194, 106);
  BindWidgets();
  Image3->SetPicture(QImage(QStringLiteral(":/layout/race.png")));
  BindHandlers();
  FormCreate();
}

TForm1::~TForm1() {
  timer1_.SetEnabled(false);
  timer3_.SetEnabled(false);
  FormDestroy();
}

void TForm1::BindWidgets() {
  const ui::WidgetSet& w = widgets_;
  moji_l = w.Get<tk::Label>("moji_l");
  cg = w.Get<tk::PictureBox>("cg");
  pondCanvas_ = std::make_unique<ui::WidgetCanvas>(cg->Canvas());
  state_l = w.Get<tk::Label>("state_l");
  line_tenshion_l = w.Get<tk::BarGauge>("line_tenshion_l");
  line_max_l = w.Get<tk::Label>("line_max_l");
  Label10 = w.Get<tk::Label>("Label10");
  state_l2 = w.Get<tk::Label>("state_l2");
  Button28 = w.Get<tk::Button>("Button28");
  Button3 = w.Get<tk::Button>("Button3");
  sao_b = w.Get<tk::Button>("sao_b");
  Button2 = w.Get<tk::Button>("Button2");
  Button1 = w.Get<tk::Button>("Button1");
  maku_b = w.Get<tk::Button>("maku_b");
  Button8 = w.Get<tk::Button>("Button8");
  Button9 = w.Get<tk::Button>("Button9");
  bak = w.Get<tk::PictureBox>("bak");
  fish_box = w.Get<tk::Panel>("fish_box");
  race_box2 = w.Get<tk::Panel>("race_box2");
  shop_box = w.Get<tk::Panel>("shop_box");
  start_box = w.Get<tk::Panel>("start_box");
  race_box = w.Get<tk::Panel>("race_box");
  help_box = w.Get<tk::Panel>("help_box");
  fish_l = w.Get<tk::Label>("fish_l");
  fish_n_l = w.Get<tk::Label>("fish_n_l");
  moji_l2 = w.Get<tk::Label>("moji_l2");
  state_l3 = w.Get<tk::Label>("state_l3");
  suisou_cg = w.Get<tk::PictureBox>("suisou_cg");
  fish_list = w.Get<tk::ListBox>("fish_list");
  name_l = w.Get<tk::Edit>("name_l");
  mame_b = w.Get<tk::Button>("mame_b");
  milk_b = w.Get<tk::Button>("milk_b");
  ebi_b = w.Get<tk::Button>("ebi_b");
  jis_b = w.Get<tk::Button>("jis_b");
  gun_b = w.Get<tk::Button>("gun_b");
  line_b = w.Get<tk::Button>("line_b");
  real_b = w.Get<tk::Button>("real_b");
  title_cg = w.Get<tk::PictureBox>("title_cg");
  Image1 = w.Get<tk::PictureBox>("Image1");
  Image2 = w.Get<tk::PictureBox>("Image2");
  Image4 = w.Get<tk::PictureBox>("Image4");
  Image3 = w.Get<tk::PictureBox>("Image3");
  race_l = w.Get<tk::Label>("race_l");
  race_start_b = w.Get<tk::Button>("race_start_b");
  // The message lines get their messages translated whole; the player's
  // runner bears the name the player gave it.
  moji_l->SetTextKind(tk::TextKind::Name);
  moji_l2->SetTextKind(tk::TextKind::Name);
  for (int runner = PlayerRunner; runner <= LastRunner; ++runner)
    RunnerLabel(runner)->SetTextKind(runner == PlayerRunner ? tk::TextKind::Name : tk::TextKind::Rival);
}

void TForm1::BindHandlers() {
  for (const ClickBinding& b : kButtonClicks) {
    auto handler = b.handler;
    widgets_.Get<tk::Button>(b.widget)->onClick = [this, handler] { handler(ctx_); };
  }
  for (const ClickBinding& b : kPictureClicks) {
    auto handler = b.handler;
    widgets_.Get<tk::PictureBox>(b.widget)->onClick = [this, handler] { handler(ctx_); };
  }
  Button28->onClick = [this] { Button28Click(); };
  Image4->onMouseDown = [this](tk::MouseButton, int, int) { Image4MouseDown(); };
  cg->onMouseDown = [this](tk::MouseButton, int x, int y) { cgMouseDown(ctx_, x, y); };
  maku_b->onMouseDown = [this](tk::MouseButton, int, int) { maku_bMouseDown(ctx_); };
  maku_b->onMouseUp = [this](tk::MouseButton, int, int) { maku_bMouseUp(ctx_); };
  fish_list->onMouseDown = [this](tk::MouseButton, int, int) { fish_listMouseDown(ctx_); };
  fish_list->onMouseUp = [this](tk::MouseButton, int, int) { fish_listMouseDown(ctx_); };
  name_l->onChange = [this] {
    if (!showingName_) name_lChange(ctx_, name_l->GetText());
  };
  moji_l->onMouseDown = [this](tk::MouseButton, int, int) { moji_lMouseDown(s_->MessageLock); };
  moji_l2->onMouseDown = [this](tk::MouseButton, int, int) { moji_lMouseDown(s_->MessageLock); };
  onClose = [this] { FormClose(); };
  timer1_.onTimer = [this] { Timer1Timer(); };
  timer3_.onTimer = [this] { Timer3Timer(); };
  auto lookup = [this](const std::string& holder) { return HeldPicture(holder); };
  cg->Canvas().SetPictureLookup(lookup);
  title_cg->Canvas().SetPictureLookup(lookup);
}

const QImage* TForm1::HeldPicture(const std::string& holder) const {
  for (const char* name : ui::PictureHolderNames()) {
    if (holder == name) return &widgets_.Get<tk::PictureBox>(holder)->Picture();
  }
  return nullptr;
}

void TForm1::StepRace() { ikea::StepRace(ctx_); }

void TForm1::Timer1Timer() { ApplyStatus(ikea::Timer1Timer(ctx_, [this] { StepRace(); })); }

void TForm1::ApplyStatus(const StatusTexts& status) {
  state_l->SetCaption(status.state_l);
  state_l2->SetCaption(status.state_l2);
  state_l3->SetCaption(status.state_l3);
  line_max_l->SetCaption(status.line_max_l);
  line_tenshion_l->SetMax(status.gaugeMax);
  line_tenshion_l->SetProgress(status.gaugeProgress);
  if (status.gaugeBackColour) line_tenshion_l->SetBackColour(*status.gaugeBackColour);
  sao_b->setVisible(status.saoVisible);
  maku_b->setVisible(status.makuVisible);
  if (status.bait) {
    ebi_b->SetCaption(status.bait->ebi_b);
    milk_b->SetCaption(status.bait->milk_b);
    mame_b->SetCaption(status.bait->mame_b);
    jis_b->SetCaption(status.bait->jis_b);
  }
  auto applyUpgrade = [](tk::Button* button, const UpgradeButton& upgrade) {
    button->setVisible(upgrade.visible);
    if (upgrade.caption) button->SetCaption(*upgrade.caption);
  };
  applyUpgrade(real_b, status.real_b);
  applyUpgrade(gun_b, status.gun_b);
  applyUpgrade(line_b, status.line_b);
}

// The message labels as the typing sees them.
void TForm1::SetMain(const Text& caption) { moji_l->SetCaption(caption); }
Text TForm1::Main() const { return moji_l->Caption(); }
void TForm1::SetCopy(const Text& caption) { moji_l2->SetCaption(caption); }
void TForm1::RepaintAndProcessMessages() { tk::ProcessMessages(); }

}  // namespace ikea
