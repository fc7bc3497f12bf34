#include <QCoreApplication>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "pcmmix/Profile.h"
#include "pcmmix/WaveSystems.h"
#include "sound/GameAudio.h"
#include "sound/QtMixerMessages.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/QtWait.h"

namespace ikea::test {
namespace {

class ThreadRecorder final : public pcmmix::MessageHandler {
public:
  struct Seen {
    uint32_t message;
    uintptr_t w, l;
    std::thread::id thread;
  };
  std::vector<Seen> seen;
  intptr_t WindowProc(uint32_t message, uintptr_t w, uintptr_t l) override {
    seen.push_back({message, w, l, std::this_thread::get_id()});
    return 0;
  }
};

TEST(QtMixerMessagesTest, postsFromAnotherThreadAreHandledInOrderOnTheGuiThread) {
  QtMixerMessages queue;
  ThreadRecorder recorder;
  pcmmix::WindowHandle target = queue.CreateTarget(&recorder);
  ASSERT_NE(target, 0u);
  std::thread device([&] {
    for (uintptr_t i = 0; i < 3; ++i) EXPECT_TRUE(queue.Post(target, 957, i, 10 + i));
  });
  device.join();
  EXPECT_TRUE(recorder.seen.empty()); // nothing runs until the loop does
  QCoreApplication::processEvents();
  ASSERT_EQ(recorder.seen.size(), 3u);
  for (uintptr_t i = 0; i < 3; ++i) {
    EXPECT_EQ(recorder.seen[i].message, 957u);
    EXPECT_EQ(recorder.seen[i].w, i);
    EXPECT_EQ(recorder.seen[i].l, 10 + i);
    EXPECT_EQ(recorder.seen[i].thread, std::this_thread::get_id());
  }
  queue.DestroyTarget(target);
}

TEST(QtMixerMessagesTest, everyDeliveredMessageCountsHowLongItWaitedForTheGuiThread) {
  QtMixerMessages queue;
  ThreadRecorder recorder;
  pcmmix::WindowHandle target = queue.CreateTarget(&recorder);
  queue.Post(target, 957, 1, 2);
  queue.Post(target, 957, 3, 4);
  EXPECT_EQ(queue.Answers().Count(), 0u); // not delivered yet
  const auto posted = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - posted < std::chrono::milliseconds(3)) {
  }
  QCoreApplication::processEvents();
  const AnswerTimes& answers = queue.Answers();
  EXPECT_EQ(answers.Count(), 2u);
  EXPECT_GE(answers.LongestMs(), 3.0);
  EXPECT_LE(answers.WithinMs(0.5), answers.LongestMs());
  EXPECT_GE(answers.WithinMs(0.5), 3.0);
}

TEST(QtMixerMessagesTest, answerTimesAreReadInHalfMillisecondStepsUpToTheLongest) {
  AnswerTimes t;
  EXPECT_EQ(t.WithinMs(0.99), 0.0);
  for (int i = 0; i < 98; ++i) t.Add(200);  // 0.2 ms
  t.Add(2600);                              // 2.6 ms
  t.Add(250000);                            // a quarter second: past the steps
  EXPECT_EQ(t.Count(), 100u);
  EXPECT_DOUBLE_EQ(t.WithinMs(0.98), 0.5);
  EXPECT_DOUBLE_EQ(t.WithinMs(0.99), 3.0);
  EXPECT_DOUBLE_EQ(t.WithinMs(1.0), 250.0);
  EXPECT_DOUBLE_EQ(t.LongestMs(), 250.0);
  t.Add(-5); // a clock read out of order counts as no wait
  EXPECT_EQ(t.Count(), 101u);
}

TEST(QtMixerMessagesTest, aDestroyedTargetGetsNothingMoreAndRefusesPosts) {
  QtMixerMessages queue;
  ThreadRecorder recorder, other;
  pcmmix::WindowHandle target = queue.CreateTarget(&recorder);
  pcmmix::WindowHandle kept = queue.CreateTarget(&other);
  EXPECT_NE(target, kept);
  queue.Post(target, 957, 1, 2);
  queue.Post(kept, 957, 3, 4);
  queue.DestroyTarget(target);
  EXPECT_FALSE(queue.Post(target, 957, 1, 2));
  EXPECT_FALSE(queue.Post(0, 957, 1, 2));
  QCoreApplication::processEvents();
  EXPECT_TRUE(recorder.seen.empty());
  EXPECT_EQ(other.seen.size(), 1u);
}

TEST(QtMixerMessagesTest, aFullRingRefusesAndCountsEachRefusal) {
  QtMixerMessages queue;
  ThreadRecorder recorder;
  pcmmix::WindowHandle target = queue.CreateTarget(&recorder);
  for (size_t i = 0; i < QtMixerMessages::kCapacity; ++i) ASSERT_TRUE(queue.Post(target, 957, i, 0));
  EXPECT_FALSE(queue.Post(target, 957, 1, 2));
  EXPECT_FALSE(queue.Post(target, 957, 3, 4));
  EXPECT_FALSE(queue.Post(0, 957, 1, 2));  // no target: not a full ring
  EXPECT_EQ(queue.RefusedWhenFull(), 2u);
  QCoreApplication::processEvents();
  EXPECT_EQ(recorder.seen.size(), QtMixerMessages::kCapacity);
  EXPECT_TRUE(queue.Post(target, 957, 5, 6));
}

std::vector<uint8_t> WavData(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  for (size_t i = 12; i + 8 <= bytes.size();) {
    uint32_t size = bytes[i + 4] | bytes[i + 5] << 8 | bytes[i + 6] << 16 | uint32_t(bytes[i + 7]) << 24;
    if (std::equal(bytes.begin() + long(i), bytes.begin() + long(i) + 4, "data"))
      return {bytes.begin() + long(i) + 8, bytes.begin() + long(std::min(bytes.size(), i + 8 + size))};
    i += 8 + size + (size & 1);
  }
  return {};
}

// The whole road on the window's loop: device thread, Qt events, block
// service, completion notices, with the profile that ships beside the game.
TEST(GameAudioOnQtTest, cuesPlayThroughTheWindowsEventLoopWithTheShippedProfile) {
  TempGameFolder folder;
  folder.WriteDat("a.wav", pcmmix::test::WavImage(1, 44100, 8, pcmmix::test::Filled(3000, 200)));
  std::filesystem::path captured = folder.Path() / "effects.wav";
  {
    pcmmix::DeviceList devices;
    devices.Add(pcmmix::MakeCaptureBackend(captured.string(), 0)); // as fast as it can
    pcmmix::IniFileProfile profile(IKEASOBI_SHIPPED_PROFILE);
    MidiOptions music;
    music.output = MidiOutput::Null;
    GameAudio audio(folder.Path(), AudioServices{&devices, nullptr, nullptr, &profile, music});
    pcmmix::SessionInfo info = pcmmix::PcmMixSessionInfo(audio.PcmMix1().Session());
    EXPECT_EQ(info.format.bitsPerSample, 8);
    EXPECT_EQ(info.format.samplesPerSec, 44100u);
    // Two blocks of 512 bytes: what a cue waits behind in the mixer.
    EXPECT_EQ(info.blockCount * info.blockLength * 1000 / int(info.format.avgBytesPerSec), 23);

    audio.PlayCue0("a.wav");
    audio.PlayCue0("a.wav");
    ASSERT_EQ(audio.LiveWaves(), 2);
    EXPECT_TRUE(RunEventsUntil([&] { return audio.CuesInFlight() == 0; }));
    EXPECT_EQ(audio.LiveWaves(), 1); // the replaced wave went with its notice
  }
  std::vector<uint8_t> heard = WavData(captured);
  EXPECT_EQ(std::count(heard.begin(), heard.end(), 200), 2 * 2999);
}

// The window opens and closes while the device thread is inside a block and
// its "block done" messages wait in the queue: nothing may outlive its owner.
TEST(GameAudioOnQtTest, startingAndClosingWhileBlocksAreInFlightLeavesNothingBehind) {
  TempGameFolder folder;
  folder.WriteCue("long.wav", 22050, 180);
  pcmmix::IniFileProfile profile(IKEASOBI_SHIPPED_PROFILE);
  MidiOptions music;
  music.output = MidiOutput::Null;
  for (int round = 0; round < 12; ++round) {
    pcmmix::DeviceList devices;
    devices.Add(pcmmix::MakeNullBackend(8)); // eight times real time
    GameAudio audio(folder.Path(), AudioServices{&devices, nullptr, nullptr, &profile, music});
    audio.PlayCue0("long.wav");
    for (int i = 0; i < round; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    EXPECT_EQ(audio.LiveWaves(), 1);
  }
}

} // namespace
} // namespace ikea::test
