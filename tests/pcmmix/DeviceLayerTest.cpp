#include <pthread.h>
#include <sched.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <mutex>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <thread>

#include "pcmmix/PacedWaveOut.h"
#include "pcmmix/Realtime.h"
#include "pcmmix/RiffReader.h"
#include "pcmmix/WaveSystems.h"
#include "tests/pcmmix/PcmMixTestSupport.h"

namespace pcmmix::test {
namespace {

std::string WriteTemp(const std::string& name, const std::string& text) {
  std::string path = ::testing::TempDir() + name;
  std::ofstream(path) << text;
  return path;
}

TEST(IniFileProfile, readsLikeAWindowsProfile) {
  IniFileProfile ini(WriteTemp("pcmmix_profile.ini",
                               "; comment\n[General]\r\nwaveoutdevice = 3\r\n"
                               "[Default]\nWaveBlocks=12abc\nRemix=\nBad=x\nNeg=-4\n"
                               "[other]\nWaveBlocks=99\n"));
  EXPECT_EQ(ini.ReadInt("general", "WaveOutDevice", 0), 3);
  EXPECT_EQ(ini.ReadInt("DEFAULT", "waveblocks", 0), 12);
  EXPECT_EQ(ini.ReadInt("default", "Remix", 7), 7); // empty value: the default
  EXPECT_EQ(ini.ReadInt("default", "Bad", 7), 0);
  EXPECT_EQ(ini.ReadInt("default", "Neg", 0), -4);
  EXPECT_EQ(ini.ReadInt("default", "Missing", 5), 5);
  EXPECT_EQ(IniFileProfile("/nonexistent/PCMMIX.INI").ReadInt("a", "b", 9), 9);
  EXPECT_EQ(LeadingInteger("99999999999999"), 2147483647);
}

TEST(RiffReader, findsAFormAndItsChunksAndClipsClaimedSizes) {
  auto image = RiffWave({Chunk("fmt ", FmtBody(1, 1, 11025, 8)), Chunk("data", {1, 2, 3})});
  image.resize(image.size() - 2); // the data chunk's last bytes are missing
  MemoryByteSource source(image.data(), image.size());
  RiffReader riff(source);
  RiffChunk form, data;
  ASSERT_TRUE(riff.FindForm(FourCc("WAVE"), form));
  ASSERT_TRUE(riff.FindChunk(form, FourCc("data"), 0, data));
  EXPECT_EQ(data.size, 3u);
  EXPECT_EQ(riff.AvailableBytes(data), 2u);
  EXPECT_FALSE(riff.FindChunk(form, FourCc("LIST"), 0, data));
}

TEST(PostedMessageQueue, dropsMessagesForDestroyedTargetsAndRefusesWhenFull) {
  PostedMessageQueue q(2);
  RecordingTarget a;
  WindowHandle h = q.CreateTarget(&a);
  EXPECT_TRUE(q.Post(h, 1, 2, 3));
  EXPECT_TRUE(q.Post(h, 4, 5, 6));
  EXPECT_FALSE(q.Post(h, 7, 8, 9));
  EXPECT_EQ(q.DispatchPending(), 2);
  ASSERT_EQ(a.messages.size(), 2u);
  EXPECT_EQ(a.messages[1].l, 6u);
  q.Post(h, 1, 0, 0);
  q.DestroyTarget(h);
  EXPECT_EQ(q.DispatchPending(), 0);
  EXPECT_FALSE(q.Post(h, 1, 0, 0));
}

class Blocks {
public:
  explicit Blocks(uint32_t length) {
    for (int i = 0; i < 3; ++i) {
      data[i].assign(length, uint8_t(10 + i));
      headers[i].data = data[i].data();
      headers[i].bufferLength = length;
    }
  }
  std::vector<uint8_t> data[3];
  WaveHeader headers[3];
};

TEST(NullDevice, asFastAsPossibleReturnsEveryBlockInOrderAndCountsBytes) {
  PostedMessageQueue q;
  RecordingTarget target;
  WindowHandle h = q.CreateTarget(&target);
  WaveFormat format{1, 1, 11025, 11025, 1, 8};
  std::unique_ptr<WaveOut> device;
  ASSERT_EQ(MakeNullBackend(0)->Open(format, &q, h, device), 0);
  Blocks blocks(512);
  for (auto& header : blocks.headers) {
    device->Prepare(&header);
    ASSERT_EQ(device->Write(&header), 0);
  }
  while (target.messages.size() < 3) q.WaitAndDispatch();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(target.messages[size_t(i)].l, reinterpret_cast<uintptr_t>(&blocks.headers[i]));
    EXPECT_TRUE(blocks.headers[i].flags & kHeaderDone);
  }
  uint64_t position = 0;
  device->GetPositionBytes(position);
  EXPECT_EQ(position, 1536u);
  device->Reset();
  device->GetPositionBytes(position);
  EXPECT_EQ(position, 0u);
}

// A queue with room for one message refuses the device's next completions;
// each must still arrive, or the mixer loses the block for good.
TEST(DeviceLayer, aCompletionTheFullQueueRefusedArrivesLater) {
  struct Case {
    const char* name;
    std::unique_ptr<DeviceBackend> backend;
  };
  Case cases[] = {{"null device", MakeNullBackend(0)},
                  {"ALSA null PCM", AlsaDeviceOpens("null") ? MakeAlsaBackend("null") : nullptr}};
  for (Case& c : cases) {
    if (!c.backend) continue;
    SCOPED_TRACE(c.name);
    PostedMessageQueue q(1);
    RecordingTarget target;
    WindowHandle h = q.CreateTarget(&target);
    std::unique_ptr<WaveOut> device;
    ASSERT_EQ(c.backend->Open({1, 1, 11025, 11025, 1, 8}, &q, h, device), 0);
    Blocks blocks(512);
    for (auto& header : blocks.headers) {
      device->Prepare(&header);
      ASSERT_EQ(device->Write(&header), 0);
    }
    while (target.messages.size() < 3) q.WaitAndDispatch();
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(target.messages[size_t(i)].l, reinterpret_cast<uintptr_t>(&blocks.headers[i]));
  }
}

TEST(NullDevice, resetReturnsHeldBlocksWhilePaused) {
  PostedMessageQueue q;
  RecordingTarget target;
  WindowHandle h = q.CreateTarget(&target);
  std::unique_ptr<WaveOut> device;
  ASSERT_EQ(MakeNullBackend(1)->Open({1, 1, 11025, 11025, 1, 8}, &q, h, device), 0);
  Blocks blocks(4096);
  device->Pause();
  for (auto& header : blocks.headers) {
    device->Prepare(&header);
    device->Write(&header);
  }
  device->Reset();
  EXPECT_EQ(q.DispatchPending(), 3);
  for (auto& header : blocks.headers) EXPECT_TRUE(header.flags & kHeaderDone);
}

// Waits until a second device has played one block: a gap of at least that
// block's length, without a sleep.
void WaitOneBlockElsewhere(uint32_t bytes) {
  PostedMessageQueue q;
  RecordingTarget target;
  std::unique_ptr<WaveOut> other;
  ASSERT_EQ(MakeNullBackend(1)->Open({1, 1, 11025, 11025, 1, 8}, &q, q.CreateTarget(&target), other), 0);
  std::vector<uint8_t> data(bytes, 128);
  WaveHeader header;
  header.data = data.data();
  header.bufferLength = bytes;
  other->Prepare(&header);
  ASSERT_EQ(other->Write(&header), 0);
  while (target.messages.empty()) q.WaitAndDispatch();
}

TEST(NullDevice, countsALateBlockOfTheTimeLineButNotAFreshStartARestartOrBackToBackBlocks) {
  PostedMessageQueue q;
  RecordingTarget target;
  WindowHandle h = q.CreateTarget(&target);
  DeviceList devices;
  devices.Add(MakeNullBackend(1));
  std::unique_ptr<WaveOut> device;
  ASSERT_EQ(devices.Open(0, {1, 1, 11025, 11025, 1, 8}, &q, h, device), 0);
  Blocks blocks(256); // 23 ms each
  for (auto& header : blocks.headers) device->Prepare(&header);
  auto playAndWait = [&](WaveHeader& header, int64_t start) {
    header.streamStart = start;
    size_t done = target.messages.size();
    ASSERT_EQ(device->Write(&header), 0);
    while (target.messages.size() == done) q.WaitAndDispatch();
  };
  // Back to back: two blocks held at once.
  blocks.headers[0].streamStart = 0;
  blocks.headers[1].streamStart = 256;
  device->Write(&blocks.headers[0]);
  device->Write(&blocks.headers[1]);
  while (target.messages.size() < 2) q.WaitAndDispatch();
  EXPECT_EQ(device->Underruns(), 0u);
  // The next block of the same line, after the output ran dry.
  WaitOneBlockElsewhere(256);
  playAndWait(blocks.headers[2], 512);
  EXPECT_EQ(device->Underruns(), 1u);
  // A fresh line after a gap.
  WaitOneBlockElsewhere(256);
  playAndWait(blocks.headers[0], 0);
  // The writer had run out of sound and goes on where its line stood.
  WaitOneBlockElsewhere(256);
  blocks.headers[1].startsLine = true;
  playAndWait(blocks.headers[1], 256);
  blocks.headers[1].startsLine = false;
  // After a reset nothing continues the old line.
  device->Reset();
  WaitOneBlockElsewhere(256);
  playAndWait(blocks.headers[1], 256);
  // A writer that keeps no line.
  WaitOneBlockElsewhere(256);
  playAndWait(blocks.headers[2], -1);
  WaitOneBlockElsewhere(256);
  playAndWait(blocks.headers[0], -1);
  EXPECT_EQ(device->Underruns(), 1u);
  // The system's count outlives the device.
  device.reset();
  EXPECT_EQ(devices.Underruns(), 1u);
}

TEST(CaptureDevice, writesTheExactStreamToAValidWaveFile) {
  std::string path = ::testing::TempDir() + "pcmmix_capture.wav";
  PostedMessageQueue q;
  RecordingTarget target;
  WindowHandle h = q.CreateTarget(&target);
  WaveFormat format{1, 2, 22050, 44100, 2, 8};
  {
    std::unique_ptr<WaveOut> device;
    ASSERT_EQ(MakeCaptureBackend(path, 0)->Open(format, &q, h, device), 0);
    Blocks blocks(1000);
    for (auto& header : blocks.headers) {
      device->Prepare(&header);
      device->Write(&header);
    }
    while (target.messages.size() < 3) q.WaitAndDispatch();
  }
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), {});
  ASSERT_EQ(file.size(), 44u + 3000u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
  EXPECT_EQ(file[4] | file[5] << 8, 36 + 3000);
  EXPECT_EQ(file[22], 2);         // channels
  EXPECT_EQ(file[40] | file[41] << 8, 3000);
  EXPECT_EQ(file[44], 10);
  EXPECT_EQ(file[44 + 2999], 12);
  std::remove(path.c_str());
}

TEST(DeviceChoice, parsesTheAudioSettings) {
  EXPECT_EQ(ParseDeviceChoice("null").kind, DeviceChoice::Kind::Null);
  EXPECT_EQ(ParseDeviceChoice("alsa").kind, DeviceChoice::Kind::Alsa);
  EXPECT_EQ(ParseDeviceChoice("pipewire").kind, DeviceChoice::Kind::PipeWire);
  EXPECT_EQ(ParseDeviceChoice("capture:/tmp/x").capturePath, "/tmp/x/effects.wav");
  EXPECT_EQ(ParseDeviceChoice("capture:out.wav").capturePath, "out.wav");
  EXPECT_EQ(ParseDeviceChoice("").kind, DeviceChoice::Kind::Automatic);
  auto system = MakeWaveSystem(ParseDeviceChoice("null"));
  EXPECT_EQ(system->DeviceCount(), 1);
  EXPECT_NE(system->QueryFormat(-1, {1, 1, 8000, 8000, 1, 8}), 0);
}

// The whole mixer over the threaded null device: a play is heard and noticed.
TEST(NullDevice, carriesAPlayToItsNotice) {
  PostedMessageQueue q;
  auto system = MakeWaveSystem(ParseDeviceChoice("null"));
  DeviceList fast;
  fast.Add(MakeNullBackend(0));
  TableProfile profile;
  PlatformServices services;
  services.waveSystem = &fast;
  services.messages = &q;
  services.profile = &profile;
  SetPlatform(services);
  hMixSession s = PcmMixInit();
  PcmMixActivate(s, true);
  PcmMixChannelOpen(s, 0, ChannelsAll);
  RecordingTarget client;
  WindowHandle h = q.CreateTarget(&client);
  auto image = WavImage(1, 11025, 8, std::vector<uint8_t>(20000, 90));
  LoadedWave* wave = PcmMixWaveLoad(s, MemoryFile{image.data(), image.size(), "w"});
  PlayRequest r;
  r.session = s;
  r.wave = wave;
  r.notify = h;
  PcmMixPlay(&r);
  while (client.messages.empty()) q.WaitAndDispatch();
  EXPECT_EQ(client.messages[0].l, reinterpret_cast<uintptr_t>(wave));
  PcmMixWaveFree(s, wave);
  PcmMixSessionEnd(s);
  SetPlatform({});
}

} // namespace
} // namespace pcmmix::test

namespace pcmmix::test {
namespace {

// The feeder asks for real-time scheduling for itself alone: the game's
// thread, and whatever the game starts, keep the ordinary kind.
TEST(FeederThread, realTimeSchedulingIsTakenForTheCallingThreadOnlyOrNotAtAll) {
  int inThread = -1;
  bool raised = false;
  std::thread feeder([&] {
    raised = RaiseThreadToRealtime(5);
    inThread = sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
  });
  feeder.join();
  EXPECT_EQ(inThread, raised ? SCHED_RR : SCHED_OTHER);
  EXPECT_EQ(sched_getscheduler(0) & ~SCHED_RESET_ON_FORK, SCHED_OTHER);
}

// A thread parked until released, reporting the scheduling it ended with.
class ParkedThread {
public:
  explicit ParkedThread(const char* name = nullptr)
      : thread_([this, name] {
          if (name) pthread_setname_np(pthread_self(), name);
          std::unique_lock lock(m_);
          started_ = true;
          cv_.notify_all();
          cv_.wait(lock, [&] { return released_; });
          policy_ = sched_getscheduler(0) & ~SCHED_RESET_ON_FORK;
        }) {
    std::unique_lock lock(m_);
    cv_.wait(lock, [&] { return started_; });
  }
  int Release() {
    {
      std::lock_guard lock(m_);
      released_ = true;
    }
    cv_.notify_all();
    thread_.join();
    return policy_;
  }

private:
  std::mutex m_;
  std::condition_variable cv_;
  bool started_ = false, released_ = false;
  int policy_ = -1;
  std::thread thread_;
};

// Only the threads the open started take real-time scheduling: one that
// keeps the name it was started with, one that names itself, but not one
// that another thread of the program started meanwhile.
TEST(FeederThread, onlyThreadsTheOpenStartedAreRaised) {
  std::unique_ptr<ParkedThread> inherited, selfNamed, elsewhere;
  std::mutex m;
  std::condition_variable cv;
  bool named = false, ask = false, answered = false;
  // A thread of the program from before, which starts one of its own when asked.
  std::thread other([&] {
    pthread_setname_np(pthread_self(), "game-worker");
    std::unique_lock lock(m);
    named = true;
    cv.notify_all();
    cv.wait(lock, [&] { return ask; });
    elsewhere = std::make_unique<ParkedThread>();
    answered = true;
    cv.notify_all();
  });
  {
    std::unique_lock lock(m);
    cv.wait(lock, [&] { return named; });
  }
  const int raised = RaiseThreadsStartedBy(
      [&] {
        inherited = std::make_unique<ParkedThread>();
        selfNamed = std::make_unique<ParkedThread>("server-loop");
        std::unique_lock lock(m);
        ask = true;
        cv.notify_all();
        cv.wait(lock, [&] { return answered; });
      },
      5);
  other.join();
  const int expected = raised == 2 ? SCHED_RR : SCHED_OTHER;  // none where the system refuses
  EXPECT_TRUE(raised == 0 || raised == 2) << raised;
  EXPECT_EQ(inherited->Release(), expected);
  EXPECT_EQ(selfNamed->Release(), expected);
  EXPECT_EQ(elsewhere->Release(), SCHED_OTHER);
  EXPECT_EQ(sched_getscheduler(0) & ~SCHED_RESET_ON_FORK, SCHED_OTHER);
}

TEST(AlsaDevice, returnsEveryWrittenBlockThroughTheNullPcm) {
  if (!AlsaDeviceOpens("null")) GTEST_SKIP() << "no ALSA null PCM here";
  PostedMessageQueue q;
  RecordingTarget target;
  WindowHandle h = q.CreateTarget(&target);
  std::unique_ptr<WaveOut> device;
  ASSERT_EQ(MakeAlsaBackend("null")->Open({1, 1, 11025, 11025, 1, 8}, &q, h, device), 0);
  Blocks blocks(512);
  for (auto& header : blocks.headers) {
    device->Prepare(&header);
    ASSERT_EQ(device->Write(&header), 0);
  }
  while (target.messages.size() < 3) q.WaitAndDispatch();
  EXPECT_EQ(target.messages[2].l, reinterpret_cast<uintptr_t>(&blocks.headers[2]));
  uint64_t position = 0;
  device->GetPositionBytes(position);
  EXPECT_EQ(position, 1536u);
}

} // namespace
} // namespace pcmmix::test

namespace pcmmix::test {
namespace {

// A PCM that reads every byte it is given (into /dev/null), so a thread
// sanitizer sees the feeder's reads; the null PCM reads nothing.
std::string ReadingPcm() {
  const std::string file = "file:FILE=/dev/null,FORMAT=raw";
  return AlsaDeviceOpens(file) ? file : "null";
}

TEST(AlsaDevice, resetsAndRewritesWhileTheFeederWritesReturnEveryBlockOnce) {
  const std::string pcm = ReadingPcm();
  if (!AlsaDeviceOpens(pcm)) GTEST_SKIP() << "no ALSA null PCM here";
  PostedMessageQueue q;
  RecordingTarget target;
  WindowHandle h = q.CreateTarget(&target);
  std::unique_ptr<WaveOut> device;
  ASSERT_EQ(MakeAlsaBackend(pcm)->Open({1, 1, 11025, 11025, 1, 8}, &q, h, device), 0);
  Blocks blocks(512);
  for (auto& header : blocks.headers) device->Prepare(&header);
  size_t returned = 0;
  for (int round = 0; round < 100; ++round) {
    // A reset lands while the feeder may be inside a write of the front
    // block; the blocks written next reuse the slots it handed back.
    for (auto& header : blocks.headers) {
      std::fill(blocks.data[0].begin(), blocks.data[0].end(), uint8_t(round));
      ASSERT_EQ(device->Write(&header), 0);
    }
    device->Reset();
    returned += 3;
    while (target.messages.size() < returned) q.WaitAndDispatch();
  }
  EXPECT_EQ(target.messages.size(), returned);
  for (auto& header : blocks.headers) EXPECT_TRUE(header.flags & kHeaderDone);
}

} // namespace
} // namespace pcmmix::test
