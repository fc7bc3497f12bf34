// Zoom, full screen, settings and the command line: comforts around the
// window that must never change what the game's rules see.
#include <QApplication>
#include <QFile>
#include <QMenu>
#include <QMouseEvent>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "GameFolderFixture.h"
#include "toolkit/MessageLoop.h"
#include "toolkit/Panel.h"
#include "toolkit/PictureBox.h"
#include "ui/CommandLine.h"
#include "ui/GameWindow.h"
#include "ui/WindowSettings.h"
#include "ui/Zoom.h"
#include "ui/ZoomFrame.h"

namespace ikea::test {
namespace {

using ui::CommandLine;
using ui::WindowSettings;

TEST(DefaultZoom, takesTheLargestFactorFittingSixtyPercentOfTheScreen) {
  const int height = 276;  // the game's client area
  EXPECT_EQ(ui::DefaultZoom(600, height), 1);
  EXPECT_EQ(ui::DefaultZoom(800, height), 1);
  EXPECT_EQ(ui::DefaultZoom(1040, height), 2);  // 1080 lines less a panel
  EXPECT_EQ(ui::DefaultZoom(1080, height), 2);
  EXPECT_EQ(ui::DefaultZoom(1440, height), 3);
  EXPECT_EQ(ui::DefaultZoom(2160, height), 4);
  EXPECT_EQ(ui::DefaultZoom(4320, height), 4);  // never past 4
  EXPECT_EQ(ui::DefaultZoom(0, height), 1);
  EXPECT_EQ(ui::DefaultZoom(-5, height), 1);
}

TEST(FullScreenZoom, fitsTheWholeGameAndCentresIt) {
  const QSize game(409, 276);
  EXPECT_EQ(ui::FittingZoom({1920, 1080}, game), 3);
  EXPECT_EQ(ui::FittingZoom({3840, 2160}, game), 7);
  EXPECT_EQ(ui::FittingZoom({300, 200}, game), 1);
  EXPECT_EQ(ui::CentredOrigin({1920, 1080}, game, 3), QPoint(346, 126));
}

// The zoom a window opens at on a screen (desktop pixels, scale), for the
// zoom remembered (0: the screen's default), with a title bar and borders.
TEST(ZoomOnScreen, isTheRememberedOneWhereTheWindowFitsElseTheLargestThatDoes) {
  const struct { QSize available; double scale; int remembered, shown, largest; QSize window; } rows[] = {
      {{1920, 1040}, 1, 4, 3, 3, {1227, 828}},  // 1104 lines and a title bar do not fit 1040
      {{1920, 1040}, 1, 0, 2, 3, {818, 552}},
      {{1024, 768}, 1, 3, 2, 2, {818, 552}},
      {{1920, 1040}, 2, 4, 3, 3, {1227, 828}},  // 6 device pixels a game pixel
      {{1280, 680}, 1.5, 3, 2, 2, {818, 552}},  // 3 device pixels a game pixel
      {{1280, 680}, 1.5, 0, 1, 2, {546, 368}},  // 2
      {{1536, 824}, 1.25, 4, 2, 2, {982, 663}},  // 3
      {{1097, 577}, 1.75, 4, 1, 1, {468, 316}},  // 2
  };
  for (const auto& r : rows) {
    const ui::ScreenRoom room{QRect({0, 0}, r.available), r.scale, QMargins(4, 32, 4, 4)};
    const QSize game(409, 276);
    const std::string row = std::to_string(r.available.width()) + "@" + std::to_string(r.scale);
    EXPECT_EQ(ui::ZoomOnScreen(r.remembered, room, game), r.shown) << row;
    EXPECT_EQ(ui::LargestFittingZoom(room, game), r.largest) << row;
    EXPECT_EQ(ui::WindowSizeAt(game, r.shown, r.scale), r.window) << row;
    const QSize off = r.available - r.window - QSize(4, 4);  // back from the far edges
    EXPECT_EQ(ui::PlaceOnScreen({5000, 5000}, r.window, room), QPoint(off.width(), off.height())) << row;
  }
}

TEST(GamePixelAt, everyScreenPixelOfAnEnlargedPixelMapsBackToIt) {
  for (int factor : {1, 2, 3, 4}) {
    const QPoint origin(346, 126);
    for (int g : {0, 1, 57, 299}) {
      for (int d = 0; d < factor; ++d) {
        const QPointF at(origin.x() + g * factor + d + 0.5, origin.y() + g * factor + d);
        EXPECT_EQ(ui::GamePixelAt(at, origin, factor), QPoint(g, g)) << factor << "x, pixel " << g;
      }
    }
    EXPECT_EQ(ui::GamePixelAt(QPointF(origin.x() - 1, origin.y() - 1), origin, factor), QPoint(-1, -1));
  }
}

// The game's window seen through the frame at 1x, 2x or 3x.
class Zoomed : public GameFolderTest {
protected:
  void SetUp() override {
    Open();
    frame = std::make_unique<ui::ZoomFrame>(form.get());
    form->start_box->hide();  // the main view, as after COUNTINE
    form->show();
    frame->show();
    tk::ProcessMessages();
  }
  void TearDown() override { frame.reset(); }

  // A press and release at a game pixel of `widget`, through the frame's
  // screen pixel `offset` (0..factor-1 on both axes) into that pixel.
  void ClickAt(QWidget* widget, QPoint gamePixel, int offset) {
    const int f = frame->ShownFactor();
    const QPoint inForm = widget->mapTo(form.get(), gamePixel);
    const QPoint at(inForm.x() * f + offset, inForm.y() * f + offset);
    QTest::mouseClick(frame->viewport(), Qt::LeftButton, {}, at);
  }

  std::unique_ptr<ui::ZoomFrame> frame;
};

// Where a cast or a shot reaches the rules, for each screen pixel of one
// game pixel, at 2x and 3x, against the same click at 1x.
TEST_F(Zoomed, castsAndShotsReachTheRulesAtTheSameGamePixelsAtTwoAndThreeTimes) {
  std::vector<QPoint> reached;
  auto rules = form->cg->onMouseDown;
  form->cg->onMouseDown = [&](tk::MouseButton b, int x, int y) {
    reached.emplace_back(x, y);
    rules(b, x, y);
  };
  GameState& s = form->State();
  for (int factor : {1, 2, 3}) {
    frame->SetZoom(factor);
    EXPECT_EQ(frame->size(), form->size() * factor);
    for (int offset = 0; offset < factor; ++offset) {
      reached.clear();
      s.FishingPhase = 1;  // choosing the point of a cast
      ClickAt(form->cg, {120, 77}, offset);
      ASSERT_EQ(reached, (std::vector<QPoint>{{120, 77}})) << factor << "x";
      EXPECT_EQ(s.FishingPhase, 2);

      // A shot at the edge of the creature's reach hits; one pixel further misses.
      s.Hooked = 1;
      s.FishHP = 1000;
      s.FishX = 200;
      s.FishY = 100;
      s.Bullets = 10;
      ClickAt(form->cg, {209, 109}, offset);
      EXPECT_LT(s.FishHP, 1000) << factor << "x";
      const int hp = s.FishHP;
      ClickAt(form->cg, {210, 109}, offset);
      EXPECT_EQ(s.FishHP, hp) << factor << "x";
      EXPECT_EQ(reached, (std::vector<QPoint>{{120, 77}, {209, 109}, {210, 109}}));
      s.Hooked = 0;
      s.FishingPhase = 0;
    }
  }
}

TEST_F(Zoomed, aClickOnTheLastScreenPixelBeforeAPictureStaysOutOfIt) {
  int presses = 0;
  form->cg->onMouseDown = [&](tk::MouseButton, int, int) { ++presses; };
  frame->SetZoom(3);
  const QPoint cgAt = form->cg->mapTo(form.get(), QPoint(0, 0));
  QTest::mouseClick(frame->viewport(), Qt::LeftButton, {}, QPoint(cgAt.x() * 3 - 1, cgAt.y() * 3 + 30));
  EXPECT_EQ(presses, 0);
  QTest::mouseClick(frame->viewport(), Qt::LeftButton, {}, QPoint(cgAt.x() * 3, cgAt.y() * 3 + 30));
  EXPECT_EQ(presses, 1);
}

TEST_F(Zoomed, rightClicksAreTheFramesAndNeverReachTheGame) {
  int presses = 0;
  form->cg->onMouseDown = [&](tk::MouseButton, int, int) { ++presses; };
  frame->SetZoom(2);
  const QPoint cgAt = form->cg->mapTo(form.get(), QPoint(10, 10)) * 2;
  QTest::mouseClick(frame->viewport(), Qt::RightButton, {}, cgAt);
  EXPECT_EQ(presses, 0);
  QTest::mouseClick(frame->viewport(), Qt::LeftButton, {}, cgAt);
  EXPECT_EQ(presses, 1);
}

QImage Checker() {
  QImage checker(300, 200, QImage::Format_RGB32);
  for (int y = 0; y < 200; ++y)
    for (int x = 0; x < 300; ++x) checker.setPixel(x, y, (x + y) % 2 ? 0xFF0000u : 0x00FF00u);
  return checker;
}

// Screen pixels of the picture at `at` that are not its game pixel enlarged `factor` times.
int WronglyEnlarged(const QImage& shown, QPoint at, const QImage& picture, int factor) {
  int wrong = 0;
  for (int y = 0; y < 20 * factor; ++y)
    for (int x = 0; x < 30 * factor; ++x)
      wrong += (shown.pixel(at.x() + x, at.y() + y) & 0xFFFFFF) != (picture.pixel(x / factor, y / factor) & 0xFFFFFF);
  return wrong;
}

TEST_F(Zoomed, picturesAreEnlargedPixelForPixel) {
  const QImage checker = Checker();
  form->cg->SetPicture(checker);
  frame->SetZoom(3);
  tk::ProcessMessages();
  const QImage shown = frame->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(WronglyEnlarged(shown, form->cg->mapTo(form.get(), QPoint(0, 0)) * 3, checker, 3), 0);
}

TEST_F(Zoomed, changingTheZoomKeepsTheGameAndItsOneXLayout) {
  form->State().Money = 1234;
  const QPoint cgAt = form->cg->pos();
  for (int factor : {4, 1, 3}) {
    frame->SetZoom(factor);
    EXPECT_EQ(frame->size(), QSize(409, 276) * factor);
    EXPECT_EQ(form->size(), QSize(409, 276));
    EXPECT_EQ(form->cg->pos(), cgAt);
  }
  EXPECT_EQ(form->State().Money, 1234);
  form->SetCaption(Sjis("0:01:02"));
  EXPECT_EQ(frame->windowTitle(), QStringLiteral("0:01:02"));
}

class Settings : public ::testing::Test {
protected:
  QString File() const { return dir.filePath("ikeasobi.conf"); }
  void Write(const QByteArray& bytes) const {
    QFile f(File());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QTemporaryDir dir;
};

TEST_F(Settings, roundTripEveryValue) {
  WindowSettings w;
  w.zoom = 3;
  w.fullScreen = true;
  w.effectsVolume = 40;
  w.musicVolume = 0;
  w.muted = true;
  w.position = QPoint(-20, 300);
  ASSERT_TRUE(ui::WriteWindowSettings(File(), w));
  EXPECT_EQ(ui::ReadWindowSettings(File()), w);
  w.position.reset();
  ASSERT_TRUE(ui::WriteWindowSettings(File(), w));
  EXPECT_EQ(ui::ReadWindowSettings(File()), w);
}

TEST_F(Settings, theSoundBufferIsReadAndKeptWhenTheComfortsAreWritten) {
  for (const auto& [text, expected] : {std::pair{"Steady", "steady"}, {" low", "low"}, {"fast", "auto"}}) {
    SCOPED_TRACE(text);
    Write(QByteArray("[sound]\nbuffer=") + text + "\n");
    WindowSettings w = ui::ReadWindowSettings(File());
    EXPECT_EQ(w.soundBuffer, expected);
    w.effectsVolume = 30;
    ASSERT_TRUE(ui::WriteWindowSettings(File(), w));
    EXPECT_EQ(ui::ReadWindowSettings(File()).soundBuffer, expected);
  }
}

TEST_F(Settings, missingGarbageAndUnreadableFilesGiveTheDefaults) {
  EXPECT_EQ(ui::ReadWindowSettings(File()), WindowSettings{});
  EXPECT_EQ(ui::ReadWindowSettings(QString()), WindowSettings{});
  static const char garbage[] = "\x00\xff\xfe[[[=\n\x01zoom==\r\r";
  Write(QByteArray(garbage, sizeof garbage - 1));
  EXPECT_EQ(ui::ReadWindowSettings(File()), WindowSettings{});
  Write("[window]\nzoom=banana\nfullscreen=perhaps\nleft=3\n[sound]\neffects=loud\nmusic=1,2\nmute=\n");
  EXPECT_EQ(ui::ReadWindowSettings(File()), WindowSettings{});  // a lone left is no position
  QDir(dir.path()).mkdir("folder.conf");
  EXPECT_EQ(ui::ReadWindowSettings(dir.filePath("folder.conf")), WindowSettings{});
}

TEST_F(Settings, anUnreadableFileGivesTheDefaults) {
  Write("[window]\nzoom=2\n");
  QFile::setPermissions(File(), QFileDevice::WriteOwner);
  if (QFile(File()).open(QIODevice::ReadOnly)) GTEST_SKIP() << "running as a user who reads anything";
  EXPECT_EQ(ui::ReadWindowSettings(File()), WindowSettings{});
}

TEST_F(Settings, outOfRangeValuesAreClamped) {
  Write("[window]\nzoom=9\nleft=99999999\ntop=-5\n[sound]\neffects=250\nmusic=-3\nmute=1\n");
  WindowSettings w = ui::ReadWindowSettings(File());
  EXPECT_EQ(w.zoom, 4);
  EXPECT_EQ(w.effectsVolume, 100);
  EXPECT_EQ(w.musicVolume, 0);
  EXPECT_TRUE(w.muted);
  EXPECT_EQ(w.position, QPoint(1 << 20, -5));
  Write("[window]\nzoom=-1\n[sound]\neffects=44\nmusic=45\n");
  w = ui::ReadWindowSettings(File());
  EXPECT_EQ(w.zoom, 0);  // the screen's default
  EXPECT_EQ(w.effectsVolume, 40);
  EXPECT_EQ(w.musicVolume, 50);
}

TEST_F(Settings, anUnwritablePlaceIsReportedAndNothingElse) {
  EXPECT_FALSE(ui::WriteWindowSettings("/proc/ikeasobi/ikeasobi.conf", WindowSettings{}));
  EXPECT_FALSE(ui::WriteWindowSettings(QString(), WindowSettings{}));
}

TEST(SettingsFile, portableGamesKeepItBesideDatInstalledOnesInTheUsersConfig) {
  EXPECT_EQ(ui::WindowSettingsFile("/games/ike", "/games/ike", "/cfg", "/home/p"), "/games/ike/ikeasobi.conf");
  EXPECT_EQ(ui::WindowSettingsFile("/usr/share/games/ikeasobi", "/home/p/.local/share/ikeasobi", "/cfg", "/home/p"),
            "/cfg/ikeasobi/ikeasobi.conf");
  EXPECT_EQ(ui::WindowSettingsFile("/usr/share/games/ikeasobi", "/home/p/.local/share/ikeasobi", "relative", "/home/p"),
            "/home/p/.config/ikeasobi/ikeasobi.conf");
  EXPECT_EQ(ui::WindowSettingsFile("/a", "/b", nullptr, nullptr), QString());
}

CommandLine Parse(QStringList args) {
  args.prepend("ikeasobi");
  return ui::ParseCommandLine(args);
}

TEST(CommandLineOptions, readTheOptionsForThisRun) {
  EXPECT_EQ(Parse({}).action, CommandLine::Action::Run);
  EXPECT_FALSE(Parse({}).zoom);
  EXPECT_FALSE(Parse({}).fullScreen);
  EXPECT_EQ(Parse({"--help"}).action, CommandLine::Action::Help);
  EXPECT_EQ(Parse({"-h"}).action, CommandLine::Action::Help);
  EXPECT_EQ(Parse({"--version"}).action, CommandLine::Action::Version);
  EXPECT_EQ(ui::VersionLine(), "ikeasobi 2.0");
  const CommandLine c = Parse({"--zoom", "3", "--fullscreen", "--mute"});
  EXPECT_EQ(c.action, CommandLine::Action::Run);
  EXPECT_EQ(c.zoom, 3);
  EXPECT_EQ(c.fullScreen, true);
  EXPECT_TRUE(c.mute);
  EXPECT_EQ(Parse({"--zoom=1", "--windowed"}).fullScreen, false);
  EXPECT_EQ(Parse({"--zoom=1"}).zoom, 1);
  const QString usage = Parse({}).usage;
  for (const char* option : {"--help", "--version", "--zoom <N>", "--fullscreen", "--windowed", "--mute"})
    EXPECT_TRUE(usage.contains(option)) << option;
  EXPECT_TRUE(usage.startsWith("Usage: ikeasobi [options]"));
}

TEST(CommandLineOptions, unknownOptionsAndBadValuesAreOneLineErrors) {
  const struct { QStringList args; const char* error; } cases[] = {
      {{"--bogus"}, "Unknown option 'bogus'."},
      {{"--zoom"}, "Missing value after '--zoom'."},
      {{"--zoom", "5"}, "--zoom takes 1, 2, 3 or 4, not '5'."},
      {{"--zoom", "0"}, "--zoom takes 1, 2, 3 or 4, not '0'."},
      {{"--zoom", "2x"}, "--zoom takes 1, 2, 3 or 4, not '2x'."},
      {{"--fullscreen", "--windowed"}, "--fullscreen and --windowed cannot be given together."},
      {{"save.dat"}, "Unexpected argument 'save.dat'."},
  };
  for (const auto& c : cases) {
    const CommandLine r = Parse(c.args);
    EXPECT_EQ(r.action, CommandLine::Action::Error) << c.args.join(' ').toStdString();
    EXPECT_EQ(r.error, c.error);
    EXPECT_FALSE(r.error.contains('\n'));
    EXPECT_FALSE(r.usage.isEmpty());
  }
}

// What Qt understands is Qt's: it reaches QApplication and never the game's
// parser, so it neither errs nor hides the game's own options.
TEST(CommandLineOptions, qtsOwnOptionsArePassedOnToQt) {
  const struct { QStringList args; QStringList qt; } cases[] = {
      {{"-platform", "offscreen", "--zoom", "2"}, {"-platform", "offscreen"}},
      {{"--platform", "wayland"}, {"--platform", "wayland"}},
      {{"-display", ":1", "-style=fusion", "-reverse", "--mute"}, {"-display", ":1", "-style=fusion", "-reverse"}},
      {{"--zoom", "2"}, {}},
  };
  for (const auto& c : cases) {
    const ui::QtArguments split = ui::SeparateQtArguments(QStringList{"ikeasobi"} + c.args);
    EXPECT_EQ(split.qt, c.qt) << c.args.join(' ').toStdString();
    EXPECT_EQ(Parse(c.args).action, CommandLine::Action::Run) << c.args.join(' ').toStdString();
  }
  EXPECT_EQ(Parse({"-platform", "offscreen", "--zoom", "2"}).zoom, 2);
  EXPECT_EQ(Parse({"--zoom", "2", "-platform"}).action, CommandLine::Action::Error);
  EXPECT_EQ(Parse({"-bogus"}).action, CommandLine::Action::Error);
}

// The window's controls through its keys, remembered and not, and the
// sound levels they hand on.
class Controls : public GameFolderTest {
protected:
  void SetUp() override { Open(); }
  std::unique_ptr<ui::GameWindow> Window(CommandLine run = {}) {
    auto w = std::make_unique<ui::GameWindow>(
        form.get(), ui::GameWindowParts{file, run, [this](const WindowSettings& s) { sound_ = s; },
                                        ui::Language::Japanese, {}});
    w->Show();
    tk::ProcessMessages();
    return w;
  }
  void Key(ui::GameWindow& w, Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&w.Frame(), key, modifiers);
  }
  QTemporaryDir dir;
  QString file = dir.filePath("ikeasobi.conf");
  WindowSettings sound_;
};

TEST_F(Controls, keysSetTheZoomAndMuteAndARestartOpensAsLeft) {
  {
    auto w = Window();
    Key(*w, Qt::Key_3, Qt::ControlModifier);
    EXPECT_EQ(w->Frame().size(), QSize(409 * 3, 276 * 3));
    Key(*w, Qt::Key_M, Qt::ControlModifier);
    EXPECT_TRUE(sound_.muted);
    w->SetEffectsVolume(37);
    EXPECT_EQ(sound_.effectsVolume, 40);
    w->Frame().close();
  }
  WindowSettings remembered = ui::ReadWindowSettings(file);
  EXPECT_EQ(remembered.zoom, 3);
  EXPECT_TRUE(remembered.muted);
  EXPECT_EQ(remembered.effectsVolume, 40);
  EXPECT_TRUE(remembered.position);
  {
    auto w = Window();
    EXPECT_EQ(w->Frame().size(), QSize(409 * 3, 276 * 3));
    EXPECT_TRUE(sound_.muted);
    Key(*w, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(w->Frame().Zoom(), w->ScreenDefaultZoom());
  }
  EXPECT_EQ(ui::ReadWindowSettings(file).zoom, 0);
}

TEST_F(Controls, commandLineOptionsApplyToTheirRunOnly) {
  CommandLine run;
  run.zoom = 2;
  run.mute = true;
  {
    auto w = Window(run);
    EXPECT_EQ(w->Frame().size(), QSize(409 * 2, 276 * 2));
    EXPECT_TRUE(sound_.muted);
    w->Frame().close();
  }
  const WindowSettings remembered = ui::ReadWindowSettings(file);
  EXPECT_EQ(remembered.zoom, 0);
  EXPECT_FALSE(remembered.muted);
}

TEST_F(Controls, fullScreenTogglesWithF11AndAltEnterAndUsesTheFittingFactor) {
  auto w = Window();
  Key(*w, Qt::Key_F11, Qt::NoModifier);
  EXPECT_TRUE(w->Frame().IsFullScreen());
  EXPECT_EQ(w->Frame().ShownFactor(), ui::FittingZoom(w->Frame().viewport()->size(), QSize(409, 276)));
  Key(*w, Qt::Key_Return, Qt::AltModifier);
  EXPECT_FALSE(w->Frame().IsFullScreen());
  EXPECT_FALSE(ui::ReadWindowSettings(file).fullScreen);
}

// On the test screens (ScreensMain.cpp): large at 0,0, small at 1920,0, and
// 1920x1080 at 150 % at 2944,0, where 2x is 3 device pixels a game pixel.
TEST_F(Controls, theWindowFitsEachScreenGrowsBackAndStaysExactWhenScaled) {
  WindowSettings remembered;
  remembered.zoom = 3;
  remembered.position = QPoint(1950, 20);  // on the small screen
  ASSERT_TRUE(ui::WriteWindowSettings(file, remembered));
  const QImage checker = Checker();
  form->start_box->hide();
  form->cg->SetPicture(checker);
  std::vector<QPoint> reached;
  form->cg->onMouseDown = [&](tk::MouseButton, int x, int y) { reached.emplace_back(x, y); };
  auto w = Window();
  Key(*w, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(w->Frame().Zoom(), 2);
  EXPECT_FALSE(w->Menu().actions()[2]->isEnabled());  // Zoom x3
  for (const auto& [at, zoom, size] : {std::tuple{QPoint(100, 100), 3, QSize(1227, 828)},
                                       std::tuple{QPoint(1950, 20), 2, QSize(818, 552)},
                                       std::tuple{QPoint(3000, 20), 2, QSize(818, 552)}}) {
    w->Frame().move(at);
    tk::ProcessMessages();
    EXPECT_EQ(w->Frame().Zoom(), zoom) << at.x();
    EXPECT_EQ(w->Frame().size(), size) << at.x();
  }
  const QPoint cgAt = form->cg->mapTo(form.get(), QPoint(0, 0)) * 3;
  const QImage shown = w->Frame().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(WronglyEnlarged(shown, cgAt, checker, 3), 0);
  for (int d = 0; d < 3; ++d) {  // each device pixel of game pixel (7, 5)
    const QPointF at = QPointF(cgAt + QPoint(21 + d, 15 + d)) / 1.5;
    QMouseEvent press(QEvent::MouseButtonPress, at, w->Frame().viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, {});
    QApplication::sendEvent(w->Frame().viewport(), &press);
  }
  EXPECT_EQ(reached, std::vector<QPoint>(3, QPoint(7, 5)));
  w->Frame().close();
  EXPECT_EQ(ui::ReadWindowSettings(file).zoom, 3);
}

}  // namespace
}  // namespace ikea::test
