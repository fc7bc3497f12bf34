#include "sound/midi/MidiPlayer.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <thread>

#include "sound/midi/WavFile.h"

namespace ikea {
namespace {

constexpr int kChannels = 2;
// Frames rendered per step by the capture thread and by RenderMidiToWav.
constexpr int kBlockFrames = 1024;
// The driver's periods: two of 4096 frames, 372 ms at 22050 per second.
// Through a sound server every period wakes the driver's thread, the
// plugin's and the server's, so few long periods keep the idle main view
// cheap; the price is that a stopped or changed tune, or a new volume, is
// heard only within those 372 ms.
constexpr int kDriverPeriodFrames = 4096;
constexpr int kDriverPeriods = 2;
// The synthesiser's gain at full volume: loud enough beside the effects
// without clipping a full General MIDI arrangement.
constexpr double kFullGain = 0.4;
// After a tune's last voice has died away the synthesiser renders only its
// reverb's and chorus's tails; past this much of that it rests and the
// output gets plain silence, which costs nothing to make.
constexpr double kTailSeconds = 3.0;

int FluidInterpolation(MidiInterpolation i) {
  return i == MidiInterpolation::Linear ? FLUID_INTERP_LINEAR : FLUID_INTERP_4THORDER;
}

void Quiet(int, const char*, void*) {}
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

// ALSA's error handler is one for the whole process, and the effects' device
// has set its own: the music silences ALSA only while it opens, then hands
// the handler back as it found it.
class AlsaQuietWhileAlive {
public:
  AlsaQuietWhileAlive() : previous_(snd_lib_error) { snd_lib_error_set_handler(QuietAlsa); }
  ~AlsaQuietWhileAlive() { snd_lib_error_set_handler(previous_); }
  AlsaQuietWhileAlive(const AlsaQuietWhileAlive&) = delete;
  AlsaQuietWhileAlive& operator=(const AlsaQuietWhileAlive&) = delete;

private:
  snd_lib_error_handler_t previous_;
};

// FluidSynth reports problems on stderr by default; the game shows none.
void SilenceSynthLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
      fluid_set_log_function(level, Quiet, nullptr);
  });
}

// The soundfont loader reports a truncated or foreign file on stderr, so
// such files are refused before it sees them.
bool LooksLikeSoundfont(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  char h[12];
  if (!in.read(h, sizeof h)) return false;
  if (std::memcmp(h, "RIFF", 4) != 0 || std::memcmp(h + 8, "sfbk", 4) != 0) return false;
  const uint64_t riffSize = static_cast<uint8_t>(h[4]) | static_cast<uint8_t>(h[5]) << 8 |
                            static_cast<uint8_t>(h[6]) << 16 |
                            static_cast<uint64_t>(static_cast<uint8_t>(h[7])) << 24;
  std::error_code ec;
  const uintmax_t size = std::filesystem::file_size(p, ec);
  return !ec && riffSize + 8 <= size;
}

// The file's bytes when it can be read and starts like a standard MIDI file.
bool ReadMidiFile(const std::filesystem::path& p, std::vector<char>& bytes) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad() && bytes.size() >= 14 && std::memcmp(bytes.data(), "MThd", 4) == 0;
}

} // namespace

std::filesystem::path FindGmSoundfont() {
  static const char* const kCandidates[] = {
      "/usr/share/sounds/sf2/default-GM.sf2",
      "/usr/share/sounds/sf2/TimGM6mb.sf2",
      "/usr/share/sounds/sf3/default-GM.sf3",
      "/usr/share/soundfonts/default.sf2",
  };
  std::error_code ec;
  for (const char* c : kCandidates)
    if (std::filesystem::is_regular_file(c, ec)) return c;
  return {};
}

MidiOptions MidiOptionsFromEnvironment() {
  MidiOptions o;
  const char* v = std::getenv("IKEASOBI_AUDIO");
  if (!v) return o;
  const std::string value = v;
  if (value == "null") {
    o.output = MidiOutput::Null;
  } else if (value.rfind("capture:", 0) == 0) {
    o.output = MidiOutput::Capture;
    o.captureFile = std::filesystem::path(value.substr(8)) / "music.wav";
  }
  return o;
}

struct MidiPlayer::Impl {
  const MidiOutput requested;
  // What the output ended up as; the loader's until FinishLoading.
  MidiOutput output;
  int sampleRate;
  std::filesystem::path fileName;
  std::vector<char> tune;  // the open file's bytes; empty when nothing is open

  // Everything below is guarded by mutex: the audio driver's thread and the
  // capture thread render while the caller starts and stops tunes.
  mutable std::mutex mutex;
  fluid_settings_t* settings = nullptr;
  fluid_synth_t* synth = nullptr;
  fluid_player_t* player = nullptr;
  bool clearTailAfterRender = false;
  int64_t quietFrames = 0;  // rendered since the tune ended and its voices died
  double gain = kFullGain;
  WavFile capture;

  // Null output renders nothing, so it only keeps track of Play and Stop.
  bool nominallyPlaying = false;

  fluid_audio_driver_t* driver = nullptr;
  std::thread pacer;
  std::condition_variable wake;
  bool quit = false;

  int interpolation;
  std::string alsaDevice;

  // While loading, the loader owns the output, the synthesiser and the
  // driver; the owner's thread touches none of them, and only keeps the tune
  // asked for. Both flags belong to the owner's thread.
  std::thread loader;
  bool loading = false;
  bool playWhenLoaded = false;

  explicit Impl(const MidiOptions& o)
      : requested(o.output), output(o.output), sampleRate(o.sampleRate),
        interpolation(FluidInterpolation(o.interpolation)), alsaDevice(o.alsaDevice) {
    if (sampleRate < 8000 || sampleRate > 96000) sampleRate = MidiOptions{}.sampleRate;
    SilenceSynthLog();
    if (o.whenLoaded && output != MidiOutput::Null) {
      loading = true;
      loader = std::thread([this, o] {
        MakeReady(o);
        o.whenLoaded();
      });
      return;
    }
    MakeReady(o);
  }

  // The slow part of starting: the device tried, the soundfont loaded, the
  // driver started.
  void MakeReady(const MidiOptions& o) {
    // Decide on the output before loading the soundfont, which can take a
    // second for a large bank and is wasted when nothing will sound.
    if (output == MidiOutput::Audio && !DeviceOpens(o.alsaDevice)) output = MidiOutput::Null;
    if (output == MidiOutput::Capture && !capture.Create(o.captureFile, sampleRate, kChannels))
      output = MidiOutput::Null;
    if (output == MidiOutput::Manual && !o.captureFile.empty())
      capture.Create(o.captureFile, sampleRate, kChannels);
    if (output == MidiOutput::Null) return;
    CreateSynth(o.soundfonts);
    if (output == MidiOutput::Audio && !StartDriver()) {
      output = MidiOutput::Null;
      DeleteSynth();
    }
    if (output == MidiOutput::Capture) pacer = std::thread([this] { PaceCapture(); });
  }

  ~Impl() {
    if (loader.joinable()) loader.join();
    if (pacer.joinable()) {
      {
        std::lock_guard lock(mutex);
        quit = true;
      }
      wake.notify_all();
      pacer.join();
    }
    if (driver) delete_fluid_audio_driver(driver);
    DeleteSynth();
  }

  void DeleteSynth() {
    if (player) delete_fluid_player(player);
    if (synth) delete_fluid_synth(synth);
    if (settings) delete_fluid_settings(settings);
    player = nullptr;
    synth = nullptr;
    settings = nullptr;
  }

  // The device is tried the way the effects try it: a sound server reached
  // through ALSA's default has no card to list, and a card may be busy.
  // ALSA's complaints about a device that does not open go nowhere.
  static bool DeviceOpens(const std::string& name) {
    AlsaQuietWhileAlive quiet;
    snd_pcm_t* pcm = nullptr;
    const bool opens = snd_pcm_open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK) == 0;
    if (opens) snd_pcm_close(pcm);
    return opens;
  }

  void CreateSynth(const std::vector<std::filesystem::path>& wanted) {
    settings = new_fluid_settings();
    if (!settings) return;
    fluid_settings_setnum(settings, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(settings, "synth.gain", GainNow());
    fluid_settings_setint(settings, "synth.cpu-cores", 1);
    // FluidSynth's own periods are 64 frames: through a sound server that is
    // hundreds of wake-ups a second of the driver's thread and the server's,
    // most of the music's cost. Tunes need no short delay.
    fluid_settings_setint(settings, "audio.period-size", kDriverPeriodFrames);
    fluid_settings_setint(settings, "audio.periods", kDriverPeriods);
    // With 372 ms buffered the music needs no real-time priority. FluidSynth
    // would take a high one where allowed, and a whole period rendered at it
    // kept the effects' feeder waiting past its 12 ms buffer.
    fluid_settings_setint(settings, "audio.realtime-prio", 0);
    fluid_settings_setstr(settings, "audio.driver", "alsa");
    fluid_settings_setstr(settings, "audio.alsa.device", alsaDevice.c_str());
    synth = new_fluid_synth(settings);
    if (!synth) return;
    fluid_synth_set_interp_method(synth, -1, interpolation);
    std::vector<std::filesystem::path> fonts = wanted;
    if (fonts.empty()) {
      const auto gm = FindGmSoundfont();
      if (!gm.empty()) fonts.push_back(gm);
    }
    for (const auto& f : fonts)
      if (LooksLikeSoundfont(f) && fluid_synth_sfload(synth, f.c_str(), 1) != FLUID_FAILED) return;
    delete_fluid_synth(synth);
    synth = nullptr;
  }

  double GainNow() {
    std::lock_guard lock(mutex);
    return gain;
  }

  static int RenderForDriver(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
    auto* self = static_cast<Impl*>(data);
    std::lock_guard lock(self->mutex);
    if (self->RestingLocked(len)) {
      for (int i = 0; i < nout; ++i) std::fill_n(out[i], len, 0.0f);
      for (int i = 0; i < nfx; ++i) std::fill_n(fx[i], len, 0.0f);
      return FLUID_OK;
    }
    const int rc = fluid_synth_process(self->synth, len, nfx, fx, nout, out);
    self->AfterRenderLocked();
    return rc;
  }

  // True once nothing can sound until the next Play: no tune is playing, no
  // voice is left and the effects' tails have had kTailSeconds to fade.
  bool RestingLocked(int frames) {
    const bool tuneOver = !player || fluid_player_get_status(player) != FLUID_PLAYER_PLAYING;
    if (!tuneOver || fluid_synth_get_active_voice_count(synth) > 0) {
      quietFrames = 0;
      return false;
    }
    if (quietFrames >= int64_t(kTailSeconds * sampleRate)) return true;
    quietFrames += frames;
    return false;
  }

  bool StartDriver() {
    if (!synth) return false;
    AlsaQuietWhileAlive quiet;
    driver = new_fluid_audio_driver2(settings, RenderForDriver, this);
    return driver != nullptr;
  }

  // Renders in real time: each block is written once the clock has reached
  // its start, so the file runs in step with the game.
  void PaceCapture() {
    std::vector<int16_t> block(kBlockFrames * kChannels);
    const auto start = std::chrono::steady_clock::now();
    int64_t frames = 0;
    std::unique_lock lock(mutex);
    while (!quit) {
      const auto due = start + std::chrono::microseconds(frames * 1000000 / sampleRate);
      if (wake.wait_until(lock, due, [this] { return quit; })) break;
      RenderLocked(block.data(), kBlockFrames);
      if (!capture.Append(block.data(), kBlockFrames)) break;
      frames += kBlockFrames;
    }
  }

  void RenderLocked(int16_t* stereo, int frames) {
    if (synth && !RestingLocked(frames))
      fluid_synth_write_s16(synth, frames, stereo, 0, 2, stereo, 1, 2);
    else
      std::memset(stereo, 0, sizeof(int16_t) * kChannels * static_cast<size_t>(frames));
    AfterRenderLocked();
  }

  void AfterRenderLocked() {
    if (clearTailAfterRender) {
      ResetSynthLocked();
      clearTailAfterRender = false;
    }
  }

  // Ends the tune and everything still sounding, reverb tails included.
  void SilenceLocked() {
    if (player) {
      fluid_player_stop(player);
      delete_fluid_player(player);
      player = nullptr;
    }
    if (synth) {
      // The reset clears controllers and the reverb and chorus tails; only
      // the sounds-off that follows it cuts the voices still sounding.
      ResetSynthLocked();
      fluid_synth_all_sounds_off(synth, -1);
    }
  }

  // A reset puts every channel back to FluidSynth's default interpolation.
  void ResetSynthLocked() {
    fluid_synth_system_reset(synth);
    fluid_synth_set_interp_method(synth, -1, interpolation);
  }

  // Stop: besides cutting the voices, the reverb and chorus must forget the
  // last block those voices fed them, or a faint tail sounds on. That needs
  // one more reset once a block has been rendered after the cut.
  void StopLocked() {
    SilenceLocked();
    clearTailAfterRender = synth != nullptr;
  }
};

MidiPlayer::MidiPlayer(const MidiOptions& options) : impl_(std::make_unique<Impl>(options)) {}
MidiPlayer::~MidiPlayer() = default;

void MidiPlayer::SetFileName(const std::filesystem::path& file) { impl_->fileName = file; }
const std::filesystem::path& MidiPlayer::FileName() const { return impl_->fileName; }

bool MidiPlayer::Open() {
  Close();
  std::vector<char> bytes;
  if (!ReadMidiFile(impl_->fileName, bytes)) return false;
  impl_->tune = std::move(bytes);
  return true;
}

bool MidiPlayer::Play() {
  if (impl_->tune.empty()) return false;
  if (impl_->loading) {
    impl_->playWhenLoaded = true;
    return true;
  }
  std::lock_guard lock(impl_->mutex);
  if (impl_->output == MidiOutput::Null) {
    impl_->nominallyPlaying = true;
    return true;
  }
  if (!impl_->synth) return false;
  // The old tune's faint tail is masked by the new one; a reset after the
  // first block would undo the new tune's program changes.
  impl_->SilenceLocked();
  impl_->clearTailAfterRender = false;
  fluid_player_t* p = new_fluid_player(impl_->synth);
  if (!p) return false;
  if (fluid_player_add_mem(p, impl_->tune.data(), impl_->tune.size()) != FLUID_OK ||
      fluid_player_play(p) != FLUID_OK) {
    delete_fluid_player(p);
    return false;
  }
  impl_->player = p;
  return true;
}

void MidiPlayer::Stop() {
  impl_->playWhenLoaded = false;
  if (impl_->loading) return;
  std::lock_guard lock(impl_->mutex);
  impl_->nominallyPlaying = false;
  impl_->StopLocked();
}

void MidiPlayer::Close() {
  Stop();
  impl_->tune.clear();
}

void MidiPlayer::SetVolume(int percent, bool muted) {
  const double gain = muted ? 0.0 : kFullGain * std::clamp(percent, 0, 100) / 100.0;
  std::lock_guard lock(impl_->mutex);
  impl_->gain = gain;
  if (!impl_->loading && impl_->synth) fluid_synth_set_gain(impl_->synth, float(gain));
}

void MidiPlayer::FinishLoading() {
  if (!impl_->loading) return;
  impl_->loader.join();
  impl_->loading = false;
  {
    // A volume set while loading may have come after the synthesiser read it.
    std::lock_guard lock(impl_->mutex);
    if (impl_->synth) fluid_synth_set_gain(impl_->synth, float(impl_->gain));
  }
  if (impl_->playWhenLoaded) {
    impl_->playWhenLoaded = false;
    Play();
  }
}

bool MidiPlayer::IsLoading() const { return impl_->loading; }

bool MidiPlayer::IsOpen() const { return !impl_->tune.empty(); }

bool MidiPlayer::IsPlaying() const {
  if (impl_->loading) return impl_->playWhenLoaded;
  std::lock_guard lock(impl_->mutex);
  if (impl_->output == MidiOutput::Null) return impl_->nominallyPlaying;
  return impl_->player && fluid_player_get_status(impl_->player) == FLUID_PLAYER_PLAYING;
}

bool MidiPlayer::HasSynth() const {
  if (impl_->loading) return false;
  std::lock_guard lock(impl_->mutex);
  return impl_->synth != nullptr;
}

MidiOutput MidiPlayer::Output() const { return impl_->loading ? impl_->requested : impl_->output; }
int MidiPlayer::SampleRate() const { return impl_->sampleRate; }

int MidiPlayer::ActiveVoices() const {
  if (impl_->loading) return 0;
  std::lock_guard lock(impl_->mutex);
  return impl_->synth ? fluid_synth_get_active_voice_count(impl_->synth) : 0;
}

void MidiPlayer::Render(int16_t* stereo, int frames) {
  if (frames <= 0) return;
  if (impl_->loading || impl_->output != MidiOutput::Manual) {
    std::memset(stereo, 0, sizeof(int16_t) * kChannels * static_cast<size_t>(frames));
    return;
  }
  std::lock_guard lock(impl_->mutex);
  impl_->RenderLocked(stereo, frames);
  if (impl_->capture.IsOpen()) impl_->capture.Append(stereo, frames);
}

bool RenderMidiToWav(const std::filesystem::path& midi, const std::filesystem::path& wav,
                     double seconds, const std::filesystem::path& soundfont,
                     MidiInterpolation interpolation, MidiRenderReport* report) {
  std::vector<char> bytes;
  if (!ReadMidiFile(midi, bytes)) return false;  // before the slow soundfont load
  MidiOptions o;
  o.output = MidiOutput::Manual;
  o.interpolation = interpolation;
  if (!soundfont.empty()) o.soundfonts.push_back(soundfont);
  MidiPlayer player(o);
  player.SetFileName(midi);
  if (!player.HasSynth() || !player.Open() || !player.Play()) return false;

  WavFile out;
  if (!out.Create(wav, player.SampleRate(), kChannels)) return false;
  const double wanted = seconds > 0 ? seconds * player.SampleRate() : 0;
  int64_t left = wanted < 1e12 ? static_cast<int64_t>(wanted) : 0;
  std::vector<int16_t> block(kBlockFrames * kChannels);
  bool ok = true;
  int64_t blocks = 0, voices = 0;
  int peak = 0;
  while (ok && left > 0) {
    const int frames = static_cast<int>(std::min<int64_t>(left, kBlockFrames));
    player.Render(block.data(), frames);
    ok = out.Append(block.data(), frames);
    left -= frames;
    const int now = player.ActiveVoices();
    voices += now;
    peak = std::max(peak, now);
    ++blocks;
  }
  out.Close();
  if (report) *report = {blocks ? double(voices) / double(blocks) : 0.0, peak};
  if (!ok) {
    std::error_code ec;
    std::filesystem::remove(wav, ec);
  }
  return ok;
}

} // namespace ikea
