#include <algorithm>
#include <memory>
#include <vector>

#include "sound/GameAudio.h"
#include "tests/sound/SoundTestSupport.h"

namespace ikea::test {
namespace {

class MusicTest : public ::testing::Test {
protected:
  pcmmix::test::FakeWaveSystem devices;
  pcmmix::test::FakeClock clock;
  pcmmix::test::TableProfile profile;
  pcmmix::PostedMessageQueue queue;
  TempGameFolder folder;
  std::unique_ptr<GameAudio> audio;

  void SetUp() override {
    folder.WriteTune("op.mid");
    folder.WriteTune("p1.mid");
    MidiOptions music;
    music.output = MidiOutput::Null;
    audio = std::make_unique<GameAudio>(folder.Path(),
                                        AudioServices{&devices, &clock, &queue, &profile, music});
  }
  MidiPlayer& mid_p() { return audio->mid_p(); }
  std::filesystem::path Dat(const char* name) const { return folder.Path() / "dat" / name; }
};

TEST_F(MusicTest, stoppingWithNothingOpenDoesNothing) {
  EXPECT_NO_THROW(audio->PlayMusic("not"));
  EXPECT_FALSE(mid_p().IsOpen());
  EXPECT_FALSE(mid_p().IsPlaying());
}

TEST_F(MusicTest, aNameStartsThatTuneFromTheDatFolder) {
  audio->PlayMusic("op.mid");
  EXPECT_EQ(mid_p().FileName(), Dat("op.mid"));
  EXPECT_TRUE(mid_p().IsPlaying());
}

TEST_F(MusicTest, anEmptyNameKeepsTheMusicPlaying) {
  audio->PlayMusic("op.mid");
  audio->PlayMusic("");
  EXPECT_EQ(mid_p().FileName(), Dat("op.mid"));
  EXPECT_TRUE(mid_p().IsPlaying());
}

TEST_F(MusicTest, aNewNameEndsTheOldTuneAndStartsTheNew) {
  audio->PlayMusic("op.mid");
  audio->PlayMusic("p1.mid");
  EXPECT_EQ(mid_p().FileName(), Dat("p1.mid"));
  EXPECT_TRUE(mid_p().IsPlaying());
}

TEST_F(MusicTest, notStopsTheTuneAndOnlyTheExactWordDoes) {
  audio->PlayMusic("op.mid");
  audio->PlayMusic("not");
  EXPECT_FALSE(mid_p().IsPlaying());
  EXPECT_EQ(mid_p().FileName(), Dat("op.mid"));
  audio->PlayMusic("op.mid");
  audio->PlayMusic("NOT"); // a file name, and no such file: the music ends silently
  EXPECT_FALSE(mid_p().IsPlaying());
  EXPECT_EQ(mid_p().FileName(), Dat("NOT"));
}

TEST_F(MusicTest, aTuneAskedForWhileTheSoundfontLoadsStartsOnceItHasLoaded) {
  if (FindGmSoundfont().empty()) GTEST_SKIP() << "no General MIDI soundfont installed";
  folder.WriteNoteTune("note.mid");
  audio.reset();
  MidiOptions music;
  music.output = MidiOutput::Manual;
  audio = std::make_unique<GameAudio>(folder.Path(), AudioServices{&devices, &clock, &queue, &profile, music});
  audio->PlayMusic("note.mid");
  // Until the loader's message is handled the player has no synthesiser,
  // however far the loading got.
  ASSERT_TRUE(mid_p().IsLoading());
  EXPECT_FALSE(mid_p().HasSynth());
  while (mid_p().IsLoading()) queue.WaitAndDispatch();
  ASSERT_TRUE(mid_p().HasSynth());
  EXPECT_TRUE(mid_p().IsPlaying());
  std::vector<int16_t> stereo(2 * 4410);
  mid_p().Render(stereo.data(), 4410);
  EXPECT_GT(*std::max_element(stereo.begin(), stereo.end()), 1000);
}

TEST_F(MusicTest, aMissingTuneEndsTheOldOneSilently) {
  audio->PlayMusic("op.mid");
  EXPECT_NO_THROW(audio->PlayMusic("p9.mid"));
  EXPECT_FALSE(mid_p().IsPlaying());
  EXPECT_FALSE(mid_p().IsOpen());
}

} // namespace
} // namespace ikea::test
