#include "sound/midi/MidiPlayer.h"

#include <alsa/asoundlib.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace ikea {
namespace {

namespace fs = std::filesystem;

// A format-0 file at 120 beats per minute, 96 ticks per beat: a piano note
// held for `beats` beats, then the end of the track.
std::vector<uint8_t> OneNoteMidi(int beats) {
  std::vector<uint8_t> track = {0x00, 0xC0, 0x00,      // program: piano
                                0x00, 0x90, 60, 110};  // note on
  // The note's length as a variable-length quantity, up to two bytes.
  const int ticks = 96 * beats;
  if (ticks >= 0x80) track.push_back(static_cast<uint8_t>(0x80 | ticks >> 7));
  track.push_back(static_cast<uint8_t>(ticks & 0x7F));
  for (uint8_t b : {0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}) track.push_back(b);  // note off, end
  std::vector<uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96,
                               'M', 'T', 'r', 'k', 0, 0, 0, static_cast<uint8_t>(track.size())};
  for (uint8_t b : track) file.push_back(b);
  return file;
}

class MidiPlayerTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("ikeasobi-midi-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                             static_cast<std::streamsize>(bytes.size()));
    return p;
  }

  // The small soundfont when it is there: the system's default one may be a
  // large bank that takes a second or more to load. The offline render test
  // goes through the default lookup.
  static MidiOptions Manual() {
    MidiOptions o;
    o.output = MidiOutput::Manual;
    if (fs::exists("/usr/share/sounds/sf2/TimGM6mb.sf2")) o.soundfonts = {"/usr/share/sounds/sf2/TimGM6mb.sf2"};
    return o;
  }

  // Peak absolute sample over `seconds` of the player's output.
  static int RenderPeak(MidiPlayer& p, double seconds) {
    std::vector<int16_t> buf(static_cast<size_t>(seconds * p.SampleRate()) * 2);
    p.Render(buf.data(), static_cast<int>(buf.size() / 2));
    int peak = 0;
    for (int16_t v : buf) peak = std::max(peak, std::abs(static_cast<int>(v)));
    return peak;
  }

  // Peak over 0.1 s once the block the synthesiser had already begun (under
  // 2 ms) has played out. Silence reads as 0 or 1: the 16-bit output is dithered.
  static int PeakAfterTheCurrentBlock(MidiPlayer& p) {
    RenderPeak(p, 0.005);
    return RenderPeak(p, 0.1);
  }

  fs::path dir_;
};

#define REQUIRE_SOUNDFONT()                                                     \
  if (FindGmSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont installed"

struct Wav {
  int rate = 0, channels = 0, bits = 0;
  std::vector<int16_t> samples;
  bool valid = false;
};

Wav ReadWav(const fs::path& p) {
  Wav w;
  std::ifstream in(p, std::ios::binary);
  std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto u32 = [&](size_t o) { return b[o] | b[o + 1] << 8 | b[o + 2] << 16 | uint32_t(b[o + 3]) << 24; };
  auto u16 = [&](size_t o) { return b[o] | b[o + 1] << 8; };
  if (b.size() < 44 || std::memcmp(b.data(), "RIFF", 4) || std::memcmp(&b[8], "WAVEfmt ", 8) ||
      std::memcmp(&b[36], "data", 4) || u32(4) != b.size() - 8 || u32(40) != b.size() - 44)
    return w;
  w.channels = u16(22);
  w.rate = static_cast<int>(u32(24));
  w.bits = u16(34);
  w.samples.resize((b.size() - 44) / 2);
  if (!w.samples.empty()) std::memcpy(w.samples.data(), &b[44], w.samples.size() * 2);
  w.valid = true;
  return w;
}

int Peak(const std::vector<int16_t>& s, size_t from, size_t to) {
  int peak = 0;
  for (size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::abs(int{s[i]}));
  return peak;
}

TEST_F(MidiPlayerTest, offlineRenderOfANoteIsAudibleAndFallsSilentAfterTheTune) {
  REQUIRE_SOUNDFONT();
  const fs::path midi = WriteFile("note.mid", OneNoteMidi(1));  // half a second
  const fs::path wav = dir_ / "note.wav";
  ASSERT_TRUE(RenderMidiToWav(midi, wav, 3.0));
  const Wav w = ReadWav(wav);
  ASSERT_TRUE(w.valid);
  EXPECT_EQ(2, w.channels);
  EXPECT_EQ(16, w.bits);
  EXPECT_EQ(static_cast<size_t>(3 * w.rate * 2), w.samples.size());
  const size_t second = static_cast<size_t>(w.rate) * 2;
  EXPECT_GT(Peak(w.samples, 0, second / 2), 1000);
  EXPECT_LT(Peak(w.samples, 5 * second / 2, 3 * second), 50);  // release and reverb have died away
}

TEST_F(MidiPlayerTest, stopSilencesAHeldNoteAtOnceAndPlayStartsItAgain) {
  REQUIRE_SOUNDFONT();
  MidiPlayer p(Manual());
  p.SetFileName(WriteFile("long.mid", OneNoteMidi(16)));  // eight seconds
  ASSERT_TRUE(p.Open());
  ASSERT_TRUE(p.Play());
  EXPECT_TRUE(p.IsPlaying());
  EXPECT_GT(RenderPeak(p, 0.3), 1000);
  p.Stop();
  EXPECT_FALSE(p.IsPlaying());
  EXPECT_LE(PeakAfterTheCurrentBlock(p), 1);
  ASSERT_TRUE(p.Play());
  EXPECT_GT(RenderPeak(p, 0.3), 1000);
}

TEST_F(MidiPlayerTest, aTunePlaysOnceAndPlayRestartsItFromTheBeginning) {
  REQUIRE_SOUNDFONT();
  MidiPlayer p(Manual());
  p.SetFileName(WriteFile("note.mid", OneNoteMidi(1)));
  ASSERT_TRUE(p.Open());
  ASSERT_TRUE(p.Play());
  RenderPeak(p, 6.0);  // the player reports the end once the last sounds died away
  EXPECT_FALSE(p.IsPlaying());
  EXPECT_LE(RenderPeak(p, 0.2), 1);
  ASSERT_TRUE(p.Play());
  EXPECT_GT(RenderPeak(p, 0.3), 1000);
}

// Dithered silence reads as 0 or 1; only a resting synthesiser gives exact
// zeros, so a peak of 0 over whole seconds shows the rest has begun.
TEST_F(MidiPlayerTest, afterATuneAndItsTailsTheSynthesiserRestsUntilTheNextPlay) {
  REQUIRE_SOUNDFONT();
  MidiPlayer p(Manual());
  p.SetFileName(WriteFile("note.mid", OneNoteMidi(1)));
  ASSERT_TRUE(p.Open());
  ASSERT_TRUE(p.Play());
  // In blocks, as a driver renders: the tune, its release, the tails.
  auto renderInBlocks = [&p](double seconds) {
    for (int i = 0; i < int(seconds / 0.05); ++i) RenderPeak(p, 0.05);
  };
  renderInBlocks(10.0);
  EXPECT_EQ(0, RenderPeak(p, 2.0));
  ASSERT_TRUE(p.Play());
  EXPECT_GT(RenderPeak(p, 0.3), 1000);
  p.Stop();
  renderInBlocks(4.0);
  EXPECT_EQ(0, RenderPeak(p, 2.0));
}

// Two players of the same held note, one of them turned down mid-note: from
// the next block on it sounds at that share of the other, and muted it falls
// silent once the reverb has died away (the synthesiser then drops the
// unheard voices, so a muted tune costs little).
TEST_F(MidiPlayerTest, volumeScalesTheMusicFromTheNextBlockAndMuteSilencesIt) {
  REQUIRE_SOUNDFONT();
  const fs::path tune = WriteFile("long.mid", OneNoteMidi(16));
  MidiPlayer full(Manual()), turned(Manual());
  for (MidiPlayer* p : {&full, &turned}) {
    p->SetFileName(tune);
    ASSERT_TRUE(p->Open());
    ASSERT_TRUE(p->Play());
    RenderPeak(*p, 0.3);
  }
  turned.SetVolume(50, false);
  const double half = double(PeakAfterTheCurrentBlock(turned)) / PeakAfterTheCurrentBlock(full);
  EXPECT_NEAR(half, 0.5, 0.05);
  turned.SetVolume(50, true);
  RenderPeak(turned, 2.0);
  EXPECT_LE(RenderPeak(turned, 0.2), 1);
  EXPECT_TRUE(turned.IsPlaying());  // the tune runs on, unheard
  turned.SetVolume(150, false);     // clamped to full
  ASSERT_TRUE(turned.Play());
  ASSERT_TRUE(full.Play());
  EXPECT_NEAR(double(RenderPeak(turned, 0.3)) / RenderPeak(full, 0.3), 1.0, 0.05);
}

// Every Play resets the synthesiser, and a reset alone would put its channels
// back to FluidSynth's default interpolation: each play of a note must sound
// like the first and unlike the other method. Two plays are not bit-identical
// even so, hence distances. Each play renders whole blocks of the
// synthesiser's 64 frames, so the second starts on a block boundary too.
TEST_F(MidiPlayerTest, theChosenInterpolationHoldsOnEveryPlay) {
  REQUIRE_SOUNDFONT();
  const fs::path tune = WriteFile("note.mid", OneNoteMidi(1));
  auto twoPlays = [&](MidiInterpolation interpolation) {
    MidiOptions o = Manual();
    o.interpolation = interpolation;
    MidiPlayer p(o);
    p.SetFileName(tune);
    std::vector<std::vector<int16_t>> plays;
    for (int play = 0; play < 2; ++play) {
      EXPECT_TRUE(p.Open() && p.Play());
      plays.emplace_back(size_t{64 * 80} * 2);
      p.Render(plays.back().data(), static_cast<int>(plays.back().size() / 2));
      p.Stop();
    }
    return plays;
  };
  auto distance = [](const std::vector<int16_t>& a, const std::vector<int16_t>& b) {
    double sum = 0;
    for (size_t i = 0; i < a.size(); ++i) sum += double(a[i] - b[i]) * (a[i] - b[i]);
    return std::sqrt(sum / double(a.size()));
  };
  const auto linear = twoPlays(MidiInterpolation::Linear);
  const auto fourthOrder = twoPlays(MidiInterpolation::FourthOrder);
  EXPECT_LT(distance(linear[0], linear[1]), distance(linear[1], fourthOrder[1]) / 2);
  EXPECT_LT(distance(fourthOrder[0], fourthOrder[1]), distance(linear[1], fourthOrder[1]) / 2);
}

TEST_F(MidiPlayerTest, openingAnotherFileEndsTheTuneEvenWhenTheOpenFails) {
  REQUIRE_SOUNDFONT();
  MidiPlayer p(Manual());
  p.SetFileName(WriteFile("long.mid", OneNoteMidi(16)));
  ASSERT_TRUE(p.Open());
  ASSERT_TRUE(p.Play());
  EXPECT_GT(RenderPeak(p, 0.3), 1000);
  p.SetFileName(dir_ / "missing.mid");
  EXPECT_FALSE(p.Open());
  EXPECT_FALSE(p.IsOpen());
  EXPECT_FALSE(p.Play());
  EXPECT_LE(PeakAfterTheCurrentBlock(p), 1);
}

TEST_F(MidiPlayerTest, missingOrMalformedFilesAndSoundfontsStaySilentWithoutAWord) {
  ::testing::internal::CaptureStderr();
  ::testing::internal::CaptureStdout();
  {
    MidiPlayer p(Manual());
    p.SetFileName(dir_ / "missing.mid");
    EXPECT_FALSE(p.Open());
    EXPECT_FALSE(p.Play());
    p.Stop();
    p.SetFileName(WriteFile("text.mid", {'n', 'o', 't', ' ', 'M', 'I', 'D', 'I', '!', '!', '!', '!', '!', '!'}));
    EXPECT_FALSE(p.Open());
    // A header with a truncated track: opens, but plays nothing.
    std::vector<uint8_t> cut = OneNoteMidi(1);
    cut.resize(cut.size() - 6);
    p.SetFileName(WriteFile("cut.mid", cut));
    if (p.Open()) p.Play();
    EXPECT_LT(RenderPeak(p, 0.2), 30000);

    MidiOptions noFont = Manual();
    noFont.soundfonts = {dir_ / "missing.sf2", WriteFile("bad.sf2", {'R', 'I', 'F', 'F', 0, 0})};
    MidiPlayer q(noFont);
    EXPECT_FALSE(q.HasSynth());
    q.SetFileName(WriteFile("note.mid", OneNoteMidi(1)));
    EXPECT_TRUE(q.Open());
    EXPECT_FALSE(q.Play());
    q.Stop();
    EXPECT_EQ(0, RenderPeak(q, 0.1));

    EXPECT_FALSE(RenderMidiToWav(dir_ / "missing.mid", dir_ / "out.wav", 1.0));
    EXPECT_FALSE(RenderMidiToWav(dir_ / "note.mid", dir_ / "out2.wav", 1.0, dir_ / "missing.sf2"));
    EXPECT_FALSE(fs::exists(dir_ / "out.wav"));
    EXPECT_FALSE(fs::exists(dir_ / "out2.wav"));
  }
  EXPECT_EQ("", ::testing::internal::GetCapturedStdout());
  EXPECT_EQ("", ::testing::internal::GetCapturedStderr());
}

TEST_F(MidiPlayerTest, manualRenderWithACaptureFileRecordsExactlyWhatWasRendered) {
  REQUIRE_SOUNDFONT();
  MidiOptions o = Manual();
  o.captureFile = dir_ / "music.wav";
  o.sampleRate = 22050;
  std::vector<int16_t> rendered(22050 * 2);
  {
    MidiPlayer p(o);
    p.SetFileName(WriteFile("note.mid", OneNoteMidi(1)));
    ASSERT_TRUE(p.Open());
    ASSERT_TRUE(p.Play());
    p.Render(rendered.data(), 22050);
    // The file is valid while the player still writes to it.
    EXPECT_TRUE(ReadWav(o.captureFile).valid);
  }
  const Wav w = ReadWav(o.captureFile);
  ASSERT_TRUE(w.valid);
  EXPECT_EQ(22050, w.rate);
  EXPECT_EQ(rendered, w.samples);
}

TEST_F(MidiPlayerTest, captureOutputStartsAValidFileAndStopsCleanly) {
  MidiOptions o = Manual();
  o.output = MidiOutput::Capture;
  o.captureFile = dir_ / "music.wav";
  {
    MidiPlayer p(o);
    EXPECT_EQ(MidiOutput::Capture, p.Output());
    p.SetFileName(WriteFile("note.mid", OneNoteMidi(1)));
    p.Open();
    p.Play();
    p.Stop();
  }
  const Wav w = ReadWav(o.captureFile);
  EXPECT_TRUE(w.valid);
  EXPECT_EQ(2, w.channels);
}

TEST_F(MidiPlayerTest, captureIntoAnUnwritablePlaceFallsBackToSilence) {
  MidiOptions o = Manual();
  o.output = MidiOutput::Capture;
  o.captureFile = dir_ / "no-such-dir" / "music.wav";
  MidiPlayer p(o);
  EXPECT_EQ(MidiOutput::Null, p.Output());
  p.SetFileName(WriteFile("note.mid", OneNoteMidi(1)));
  EXPECT_TRUE(p.Open());
  p.Play();
  p.Stop();
}

TEST_F(MidiPlayerTest, nullOutputLoadsNoSoundfontAndOnlyTracksPlayAndStop) {
  MidiOptions o;
  o.output = MidiOutput::Null;
  MidiPlayer p(o);
  EXPECT_FALSE(p.HasSynth());
  EXPECT_FALSE(p.Play());  // nothing open
  p.SetFileName(WriteFile("note.mid", OneNoteMidi(1)));
  ASSERT_TRUE(p.Open());
  EXPECT_TRUE(p.Play());
  EXPECT_TRUE(p.IsPlaying());
  EXPECT_EQ(0, RenderPeak(p, 0.1));
  p.Stop();
  EXPECT_FALSE(p.IsPlaying());
  EXPECT_TRUE(p.Play());
  p.SetFileName(dir_ / "missing.mid");
  EXPECT_FALSE(p.Open());
  EXPECT_FALSE(p.IsPlaying());
}

// A sound server reached through ALSA's default lists no sound card; the
// music went silent there while the effects played. The null PCM opens on
// any machine and has no card behind it either.
TEST_F(MidiPlayerTest, musicPlaysThroughAnAlsaDeviceThatOpensWithNoCardListed) {
  REQUIRE_SOUNDFONT();
  MidiOptions o = Manual();
  o.output = MidiOutput::Audio;
  o.alsaDevice = "null";
  MidiPlayer p(o);
  ASSERT_EQ(MidiOutput::Audio, p.Output());
  EXPECT_TRUE(p.HasSynth());
  p.SetFileName(WriteFile("note.mid", OneNoteMidi(4)));
  ASSERT_TRUE(p.Open());
  EXPECT_TRUE(p.Play());
  EXPECT_TRUE(p.IsPlaying());
  p.Stop();
  EXPECT_FALSE(p.IsPlaying());
}

TEST_F(MidiPlayerTest, anAlsaDeviceThatDoesNotOpenFallsBackToSilenceWithoutAWord) {
  MidiOptions o = Manual();
  o.output = MidiOutput::Audio;
  o.alsaDevice = "ikeasobi_no_such_pcm";
  ::testing::internal::CaptureStderr();
  {
    MidiPlayer p(o);
    EXPECT_EQ(MidiOutput::Null, p.Output());
    EXPECT_FALSE(p.HasSynth());  // no soundfont loaded for nothing
    p.SetFileName(WriteFile("note.mid", OneNoteMidi(1)));
    ASSERT_TRUE(p.Open());
    EXPECT_TRUE(p.Play());
  }
  EXPECT_EQ("", ::testing::internal::GetCapturedStderr());
}

TEST(MidiOptionsFromEnvironment, readsNullAndCaptureDirectory) {
  ::setenv("IKEASOBI_AUDIO", "null", 1);
  EXPECT_EQ(MidiOutput::Null, MidiOptionsFromEnvironment().output);
  ::setenv("IKEASOBI_AUDIO", "capture:/tmp/run1", 1);
  const MidiOptions c = MidiOptionsFromEnvironment();
  EXPECT_EQ(MidiOutput::Capture, c.output);
  EXPECT_EQ(fs::path("/tmp/run1/music.wav"), c.captureFile);
  ::unsetenv("IKEASOBI_AUDIO");
  EXPECT_EQ(MidiOutput::Audio, MidiOptionsFromEnvironment().output);
  ::setenv("IKEASOBI_AUDIO", "null", 1);  // as the test runner sets it
}

#ifdef IKEASOBI_GAME_DIR
// The opening tune the game ships is real music through the General MIDI
// soundfont: loud enough to hear in every second of its first ten.
TEST_F(MidiPlayerTest, theShippedOpeningTuneRendersAudibleMusic) {
  REQUIRE_SOUNDFONT();
  const fs::path midi = fs::path(IKEASOBI_GAME_DIR) / "dat" / "op.mid";
  if (!fs::exists(midi)) GTEST_SKIP() << "the game folder has no op.mid";
  const fs::path wav = dir_ / "op.wav";
  ASSERT_TRUE(RenderMidiToWav(midi, wav, 10.0));
  const Wav w = ReadWav(wav);
  ASSERT_TRUE(w.valid);
  const size_t second = static_cast<size_t>(w.rate) * 2;
  for (size_t s = 0; s < 10; ++s) EXPECT_GT(Peak(w.samples, s * second, (s + 1) * second), 1000) << "second " << s;
}

// The main view plays the opening tune or a pond tune while the player does
// nothing, so their synthesis is the idle game's largest cost, and it grows
// with the voices sounding. A bowed-strings arpeggio, ringing on after every
// note, keeps about 64 sounding and costs twice any other tune.
TEST_F(MidiPlayerTest, theTunesOfTheIdleMainViewKeepFewVoicesSounding) {
  const MidiOptions shipped = Manual();
  if (shipped.soundfonts.empty()) GTEST_SKIP() << "the counts hold for TimGM6mb, which is not installed";
  for (const char* tune : {"op", "p1", "p2", "p3", "p4", "p5"}) {
    SCOPED_TRACE(tune);
    const fs::path midi = fs::path(IKEASOBI_GAME_DIR) / "dat" / (std::string(tune) + ".mid");
    MidiRenderReport report;
    // Every tune lasts at least half a minute.
    ASSERT_TRUE(RenderMidiToWav(midi, dir_ / "tune.wav", 30.0, shipped.soundfonts[0], MidiInterpolation::Linear,
                                &report));
    EXPECT_GT(report.meanVoices, 4.0);
    EXPECT_LE(report.meanVoices, 32.0);
  }
}
#endif

void TheEffectsHandler(const char*, int, const char*, int, const char*, ...) {}

// ALSA's error handler is the process's: the music's quiet opening must not
// undo the handler the effects' device set, whether the device opens or not.
TEST_F(MidiPlayerTest, openingTheMusicLeavesAlsasErrorHandlerAsItWas) {
  for (const char* device : {"ikeasobi_no_such_pcm", "null"}) {
    SCOPED_TRACE(device);
    snd_lib_error_set_handler(TheEffectsHandler);
    MidiOptions o;
    o.soundfonts = Manual().soundfonts;
    o.alsaDevice = device;
    { MidiPlayer player(o); }
    EXPECT_EQ(snd_lib_error, &TheEffectsHandler);
  }
  snd_lib_error_set_handler(nullptr);
}

} // namespace
} // namespace ikea
