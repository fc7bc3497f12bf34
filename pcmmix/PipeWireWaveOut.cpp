#include "pcmmix/PipeWireWaveOut.h"

#include <pipewire/pipewire.h>
#include <spa/param/audio/format-utils.h>

#include <algorithm>
#include <atomic>
#include <ctime>
#include <mutex>
#include <string>

namespace pcmmix {
namespace {

// The server's cycle the stream asks for, in frames at the mixer's rate:
// about 3 ms, a quarter of the shortest buffer, so the server's own part of
// a cue's wait stays small beside the mixer's blocks.
constexpr unsigned kCycleDivisor = 4;
// How long opening waits for the server to take the stream.
constexpr int kReadySeconds = 3;

void InitPipeWireOnce() {
  static std::once_flag once;
  std::call_once(once, [] { pw_init(nullptr, nullptr); });
}

int64_t MonotonicNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Server ticks (at the graph's rate) as frames at the stream's rate.
uint64_t TicksToFrames(uint64_t ticks, const spa_fraction& rate, uint32_t samplesPerSec) {
  if (rate.denom == 0) return 0;
  return ticks * rate.num * samplesPerSec / rate.denom;
}

} // namespace

struct PipeWireWaveOut::Connection {
  WaveFormat format;
  PullFeed* feed = nullptr;
  pw_thread_loop* loop = nullptr;
  pw_context* context = nullptr;
  pw_core* core = nullptr;
  pw_stream* stream = nullptr;
  spa_hook listener{};
  spa_source* activity = nullptr;
  pw_stream_state state = PW_STREAM_STATE_UNCONNECTED;
  bool active = false; // the loop thread's view
  // Set when the stream starts again: the time it stood still is no gap.
  std::atomic<bool> resync{true};
  uint64_t lastTicks = 0;
  uint64_t lastCycleTicks = 0;

  ~Connection() {
    if (loop) pw_thread_loop_stop(loop);
    if (activity) pw_loop_destroy_source(pw_thread_loop_get_loop(loop), activity);
    if (stream) pw_stream_destroy(stream);
    if (core) pw_core_disconnect(core);
    if (context) pw_context_destroy(context);
    if (loop) pw_thread_loop_destroy(loop);
  }

  bool Connect();
  void Signal() { pw_loop_signal_event(pw_thread_loop_get_loop(loop), activity); }
  PullFeed::Cycle CycleOf(uint32_t frames);

  static void OnStateChanged(void* data, pw_stream_state, pw_stream_state state, const char*);
  static void OnProcess(void* data);
  static void OnActivity(void* data, uint64_t);
};

void PipeWireWaveOut::Connection::OnStateChanged(void* data, pw_stream_state, pw_stream_state state,
                                                 const char*) {
  auto* c = static_cast<Connection*>(data);
  c->state = state;
  pw_thread_loop_signal(c->loop, false);
}

// The loop thread starts the stream when the feed has sound again and
// stops it when it has none, so a quiet game costs the server no cycles.
void PipeWireWaveOut::Connection::OnActivity(void* data, uint64_t) {
  auto* c = static_cast<Connection*>(data);
  const bool wants = c->feed->WantsCycles();
  if (wants == c->active) return;
  if (wants) c->resync = true;
  pw_stream_set_active(c->stream, wants);
  c->active = wants;
}

PullFeed::Cycle PipeWireWaveOut::Connection::CycleOf(uint32_t frames) {
  PullFeed::Cycle cycle;
  cycle.nowNs = MonotonicNs();
  pw_time time{};
  if (pw_stream_get_time_n(stream, &time, sizeof time) < 0 || time.rate.denom == 0) return cycle;
  const uint32_t rate = format.samplesPerSec;
  const unsigned frameBytes = 2u * format.channels;
  cycle.delayFrames = TicksToFrames(uint64_t(std::max<int64_t>(time.delay, 0)), time.rate, rate) +
                      time.queued / frameBytes + time.buffered;
  const uint64_t cycleTicks = uint64_t(frames) * time.rate.denom / (uint64_t(rate) * std::max(time.rate.num, 1u));
  if (!resync.exchange(false) && time.ticks > lastTicks + lastCycleTicks + lastCycleTicks / 2)
    cycle.missedFrames = TicksToFrames(time.ticks - lastTicks - lastCycleTicks, time.rate, rate);
  lastTicks = time.ticks;
  lastCycleTicks = cycleTicks;
  return cycle;
}

// The server's data thread, once a cycle.
void PipeWireWaveOut::Connection::OnProcess(void* data) {
  auto* c = static_cast<Connection*>(data);
  pw_buffer* buffer = pw_stream_dequeue_buffer(c->stream);
  if (!buffer) return;
  spa_data& d = buffer->buffer->datas[0];
  const uint32_t stride = 2u * c->format.channels;
  if (d.data && d.chunk) {
    uint32_t frames = d.maxsize / stride;
    if (buffer->requested) frames = uint32_t(std::min<uint64_t>(frames, buffer->requested));
    c->feed->Fill(static_cast<int16_t*>(d.data), frames, c->CycleOf(frames));
    d.chunk->offset = 0;
    d.chunk->stride = int32_t(stride);
    d.chunk->size = frames * stride;
  }
  pw_stream_queue_buffer(c->stream, buffer);
  if (!c->feed->WantsCycles()) c->Signal();
}

bool PipeWireWaveOut::Connection::Connect() {
  static const pw_stream_events events = [] {
    pw_stream_events e{};
    e.version = PW_VERSION_STREAM_EVENTS;
    e.state_changed = &Connection::OnStateChanged;
    e.process = &Connection::OnProcess;
    return e;
  }();
  loop = pw_thread_loop_new("ikeasobi-sound", nullptr);
  if (!loop) return false;
  // The client configuration that gives the data thread real-time
  // priority, as the server's own tools have it.
  context = pw_context_new(pw_thread_loop_get_loop(loop),
                           pw_properties_new(PW_KEY_CONFIG_NAME, "client-rt.conf", nullptr), 0);
  if (!context || pw_thread_loop_start(loop) < 0) return false;
  pw_thread_loop_lock(loop);
  core = pw_context_connect(context, nullptr, 0);
  bool ok = core != nullptr;
  if (ok) {
    const std::string latency = std::to_string(format.samplesPerSec * SteadinessPolicy{}.lowMs / 1000 / kCycleDivisor) + "/" +
                                std::to_string(format.samplesPerSec);
    stream = pw_stream_new(core, "Ike Asobi effects",
                           pw_properties_new(PW_KEY_MEDIA_TYPE, "Audio", PW_KEY_MEDIA_CATEGORY, "Playback",
                                             PW_KEY_MEDIA_ROLE, "Game", PW_KEY_NODE_LATENCY, latency.c_str(),
                                             nullptr));
    ok = stream != nullptr;
  }
  if (ok) {
    pw_stream_add_listener(stream, &listener, &events, this);
    activity = pw_loop_add_event(pw_thread_loop_get_loop(loop), &Connection::OnActivity, this);
    spa_audio_info_raw info{};
    info.format = SPA_AUDIO_FORMAT_S16;
    info.rate = format.samplesPerSec;
    info.channels = format.channels;
    if (format.channels == 1) {
      info.position[0] = SPA_AUDIO_CHANNEL_MONO;
    } else {
      info.position[0] = SPA_AUDIO_CHANNEL_FL;
      info.position[1] = SPA_AUDIO_CHANNEL_FR;
    }
    uint8_t pod[1024];
    spa_pod_builder builder{};
    spa_pod_builder_init(&builder, pod, sizeof pod);
    const spa_pod* params[] = {spa_format_audio_raw_build(&builder, SPA_PARAM_EnumFormat, &info)};
    const auto flags = pw_stream_flags(PW_STREAM_FLAG_AUTOCONNECT | PW_STREAM_FLAG_MAP_BUFFERS |
                                       PW_STREAM_FLAG_RT_PROCESS | PW_STREAM_FLAG_INACTIVE);
    ok = activity && pw_stream_connect(stream, PW_DIRECTION_OUTPUT, PW_ID_ANY, flags, params, 1) >= 0;
  }
  // Ready once the server has agreed the format; an error or no answer in
  // time is a device that does not open.
  for (int waited = 0; ok && state != PW_STREAM_STATE_PAUSED && state != PW_STREAM_STATE_STREAMING;) {
    if (state == PW_STREAM_STATE_ERROR || waited++ == kReadySeconds) ok = false;
    else pw_thread_loop_timed_wait(loop, 1);
  }
  pw_thread_loop_unlock(loop);
  return ok;
}

std::unique_ptr<PipeWireWaveOut> PipeWireWaveOut::Open(const WaveFormat& format, MessageQueue* queue,
                                                       WindowHandle target, int& result, DeviceShared shared) {
  if (!IsPlayableFormat(format)) {
    result = deviceresult::kBadFormat;
    return nullptr;
  }
  InitPipeWireOnce();
  std::unique_ptr<PipeWireWaveOut> device(new PipeWireWaveOut(format, queue, target, std::move(shared)));
  if (!device->connection_->Connect()) {
    result = deviceresult::kBadDeviceId;
    return nullptr;
  }
  result = deviceresult::kOk;
  return device;
}

PipeWireWaveOut::PipeWireWaveOut(const WaveFormat& format, MessageQueue* queue, WindowHandle target,
                                 DeviceShared shared)
    : feed_(format, queue, target, std::move(shared)), connection_(std::make_unique<Connection>()) {
  connection_->format = format;
  connection_->feed = &feed_;
}

PipeWireWaveOut::~PipeWireWaveOut() { connection_.reset(); }

void PipeWireWaveOut::Wake() { connection_->Signal(); }

int PipeWireWaveOut::Write(WaveHeader* header) {
  bool wake = false;
  const int result = feed_.Write(header, wake);
  if (wake) Wake();
  return result;
}

int PipeWireWaveOut::Pause() {
  feed_.Pause();
  Wake();
  return deviceresult::kOk;
}

int PipeWireWaveOut::Restart() {
  bool wake = false;
  feed_.Restart(wake);
  if (wake) Wake();
  return deviceresult::kOk;
}

int PipeWireWaveOut::Reset() {
  feed_.Reset();
  Wake(); // a completion the queue refused needs a cycle to be offered again
  return deviceresult::kOk;
}

int PipeWireWaveOut::GetPositionBytes(uint64_t& bytes) {
  bytes = feed_.PlayedBytes(MonotonicNs());
  return deviceresult::kOk;
}

bool PipeWireServerAnswers() {
  InitPipeWireOnce();
  pw_loop* loop = pw_loop_new(nullptr);
  if (!loop) return false;
  pw_context* context = pw_context_new(loop, nullptr, 0);
  pw_core* core = context ? pw_context_connect(context, nullptr, 0) : nullptr;
  if (core) pw_core_disconnect(core);
  if (context) pw_context_destroy(context);
  pw_loop_destroy(loop);
  return core != nullptr;
}

} // namespace pcmmix
