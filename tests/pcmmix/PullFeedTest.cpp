#include "pcmmix/PullFeed.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>
#include <vector>

#include "pcmmix/PipeWireWaveOut.h"
#include "tests/pcmmix/PcmMixTestSupport.h"

namespace pcmmix::test {
namespace {

// 11025 Hz mono: the shortest buffer is 132 frames.
const WaveFormat kMono{1, 1, 11025, 11025, 1, 8};

struct Feed {
  PostedMessageQueue queue;
  RecordingTarget target;
  PullFeed feed{kMono, &queue, queue.CreateTarget(&target)};
  std::vector<std::vector<uint8_t>> data = std::vector<std::vector<uint8_t>>(8);
  WaveHeader headers[8];
  int next = 0;

  void Write(int64_t streamStart, bool startsLine = false, uint32_t length = 100) {
    WaveHeader& h = headers[next];
    data[size_t(next)].assign(length, uint8_t(10 + next));
    h.data = data[size_t(next)].data();
    h.bufferLength = length;
    h.flags = kHeaderPrepared;
    h.streamStart = streamStart;
    h.startsLine = startsLine;
    next = (next + 1) % 8;
    bool wake = false;
    ASSERT_EQ(feed.Write(&h, wake), 0);
  }
  std::vector<int16_t> Cycle(uint32_t frames, uint64_t missed = 0, uint64_t delay = 0, int64_t nowNs = 1) {
    std::vector<int16_t> out(frames, 77);
    feed.Fill(out.data(), frames, {missed, delay, nowNs});
    queue.DispatchPending();
    return out;
  }
};

int16_t Wide(int sample) { return int16_t((sample - 128) * 256); }

TEST(PullFeed, handsEachBlockBackOnceAllOfItIsInTheBufferAndPlaysThemInOrder) {
  Feed f;
  for (int i = 0; i < 3; ++i) f.Write(i * 100);
  f.queue.DispatchPending();
  // 132 frames of buffer: the first block and part of the second.
  ASSERT_EQ(f.target.messages.size(), 1u);
  std::vector<int16_t> heard;
  for (int i = 0; i < 7; ++i) {
    auto out = f.Cycle(50);
    heard.insert(heard.end(), out.begin(), out.end());
  }
  ASSERT_EQ(f.target.messages.size(), 3u);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(f.target.messages[size_t(i)].l, reinterpret_cast<uintptr_t>(&f.headers[i]));
  for (size_t i = 0; i < heard.size(); ++i)
    ASSERT_EQ(heard[i], i < 300 ? Wide(10 + int(i / 100)) : 0) << i;
}

// An underrun is a gap the listener hears inside the mixer's time line.
// A late block lengthens the buffer; a missed cycle, which no buffer covers,
// does not.
TEST(PullFeed, countsTheGapsHeardInsideATimeLineAndLengthensItsBufferForLateBlocks) {
  struct Case {
    const char* name;
    std::function<void(Feed&)> play;
    uint64_t underruns;
    unsigned bufferMs = 12;
  };
  const Case cases[] = {
      {"back-to-back blocks", [](Feed& f) { f.Write(0); f.Write(100); f.Cycle(100); f.Cycle(100); }, 0},
      {"the line's next block after a short cycle",
       [](Feed& f) { f.Write(0); f.Cycle(150); f.Write(100); f.Cycle(100); }, 1, 24},
      {"a fresh line after a short cycle", [](Feed& f) { f.Write(0); f.Cycle(150); f.Write(100, true); }, 0},
      {"the line's next block after a reset", [](Feed& f) { f.Write(0); f.Cycle(150); f.feed.Reset(); f.Write(100); }, 0},
      {"cycles missed while sound played", [](Feed& f) { f.Write(0); f.Write(100); f.Cycle(50); f.Cycle(50, 50); }, 1},
      {"cycles missed twice within a few ms of sound",
       [](Feed& f) { f.Write(0); f.Write(100); f.Cycle(50); f.Cycle(50, 50); f.Cycle(50, 50); }, 1},
      {"cycles missed after the sound ran out", [](Feed& f) { f.Write(0); f.Cycle(150); f.Cycle(50, 500); }, 0},
      {"cycles while paused",
       [](Feed& f) {
         f.Write(0);
         f.feed.Pause();
         f.Write(100);
         f.Cycle(150, 500);
         bool wake = false;
         f.feed.Restart(wake);
         EXPECT_EQ(f.Cycle(120)[119], Wide(11));
       },
       0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Feed f;
    c.play(f);
    EXPECT_EQ(f.feed.Underruns(), c.underruns);
    f.Cycle(10); // a changed length is taken on the next cycle
    EXPECT_EQ(f.feed.BufferMs(), c.bufferMs);
  }
}

TEST(PullFeed, followsTheHeardPositionOnFromEachCycleNeverBackwardsAndNotPastWhatItGave) {
  Feed f;
  for (int i = 0; i < 3; ++i) f.Write(i * 100);
  const int64_t ms = 1000000;
  f.Cycle(100, 0, 40, 10 * ms);
  EXPECT_EQ(f.feed.PlayedBytes(10 * ms), 0u);
  f.Cycle(100, 0, 40, 20 * ms);
  EXPECT_EQ(f.feed.PlayedBytes(20 * ms), 60u);
  EXPECT_EQ(f.feed.PlayedBytes(21 * ms), 71u); // 11 frames a ms
  EXPECT_EQ(f.feed.PlayedBytes(900 * ms), 200u);
  f.Cycle(50, 0, 150, 30 * ms);
  EXPECT_EQ(f.feed.PlayedBytes(30 * ms), 200u);
  f.feed.Reset();
  EXPECT_EQ(f.feed.PlayedBytes(40 * ms), 0u);
}

TEST(PullFeed, wantsCyclesWhileItHasSoundAndNotOnceItRanOutOrIsPaused) {
  Feed f;
  EXPECT_FALSE(f.feed.WantsCycles());
  f.Write(0);
  EXPECT_TRUE(f.feed.WantsCycles());
  f.Cycle(100);
  EXPECT_TRUE(f.feed.WantsCycles()); // the last cycle gave all it was asked for
  f.Cycle(10);
  EXPECT_FALSE(f.feed.WantsCycles());
  f.Write(100);
  f.feed.Pause();
  EXPECT_FALSE(f.feed.WantsCycles());
  bool wake = false;
  f.feed.Restart(wake);
  EXPECT_TRUE(wake);
}

TEST(PullFeed, resetsAndRewritesWhileCyclesRunReturnEveryBlockOnce) {
  Feed f;
  std::atomic<bool> stop{false};
  std::thread cycles([&] {
    std::vector<int16_t> out(64);
    while (!stop) f.feed.Fill(out.data(), 64, {});
  });
  size_t returned = 0;
  for (int round = 0; round < 200; ++round) {
    for (int i = 0; i < 3; ++i) f.Write(i * 100);
    f.feed.Reset();
    returned += 3;
    while (f.target.messages.size() < returned) f.queue.WaitAndDispatch();
  }
  stop = true;
  cycles.join();
  EXPECT_EQ(f.target.messages.size(), returned);
}

// Only inside the private server tests/scripts/pipewire-device-test.sh
// starts, never on the desktop's own.
TEST(PipeWireDevice, playsEveryWrittenBlockToItsEnd) {
  if (!std::getenv("IKEASOBI_PRIVATE_PIPEWIRE") || !PipeWireServerAnswers()) GTEST_SKIP() << "no private PipeWire";
  PostedMessageQueue q;
  RecordingTarget target;
  int result = -1;
  auto device = PipeWireWaveOut::Open(kMono, &q, q.CreateTarget(&target), result);
  ASSERT_TRUE(device) << result;
  std::vector<uint8_t> data(512, 129);
  WaveHeader headers[3];
  for (auto& h : headers) {
    h.data = data.data();
    h.bufferLength = 512;
    device->Prepare(&h);
    ASSERT_EQ(device->Write(&h), 0);
  }
  while (target.messages.size() < 3) q.WaitAndDispatch();
  uint64_t position = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (position < 1536 && std::chrono::steady_clock::now() < until) {
    device->GetPositionBytes(position);
    std::this_thread::yield();
  }
  EXPECT_EQ(position, 1536u);
}

} // namespace
} // namespace pcmmix::test
