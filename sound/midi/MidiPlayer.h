#pragma once
// The game's music: one General MIDI synthesiser that plays one MIDI file at
// a time, driven like a media-player widget (file name, open, play, stop).
// Nothing here throws or prints; without a soundfont, a readable file or an
// audio device the music is simply silent.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ikea {

enum class MidiOutput {
  Audio,    // the ALSA device the effects use; silent when it does not open
  Null,     // nothing is loaded or rendered; Play and Stop only change IsPlaying
  Capture,  // rendered in real time by a thread of the player's own into a WAV file
  Manual,   // rendered only by Render(), for tests and offline use
};

// How the synthesiser reads a sample between its points. Linear makes the
// tunes' synthesis 10-15 % cheaper than FluidSynth's fourth-order default;
// at 22050 per second the difference lies some 31 dB below the music, on the
// music's own partials, where the music hides it.
enum class MidiInterpolation { Linear, FourthOrder };

struct MidiOptions {
  MidiOutput output = MidiOutput::Audio;
  // Capture: the WAV file (16-bit stereo at sampleRate). Manual: when set,
  // everything Render() produces is written there too.
  std::filesystem::path captureFile;
  // Soundfonts to try in order; empty: the system's General MIDI soundfont.
  std::vector<std::filesystem::path> soundfonts;
  // 22050 per second: the soundfont's instruments hold next to nothing
  // above 11 kHz (a render at 44100 has 32 dB less there than in all), and
  // the synthesis, reverb and chorus cost half as much as at 44100.
  int sampleRate = 22050;
  MidiInterpolation interpolation = MidiInterpolation::Linear;
  // Audio: the ALSA PCM to play through, the same one the effects open.
  std::string alsaDevice = "default";
  // When set (and the output is not Null), the output and the soundfont are
  // made ready on a thread of the player's own, which calls this once when
  // it is done; the owner then calls FinishLoading on its own thread. Unset:
  // the constructor makes them ready itself.
  std::function<void()> whenLoaded;
};

// The output chosen by IKEASOBI_AUDIO: unset (or anything else) = Audio,
// "null" = Null, "capture:DIR" = Capture into DIR/music.wav.
MidiOptions MidiOptionsFromEnvironment();

// The first General MIDI soundfont installed, or an empty path.
std::filesystem::path FindGmSoundfont();

class MidiPlayer {
public:
  explicit MidiPlayer(const MidiOptions& options = {});
  ~MidiPlayer();
  MidiPlayer(const MidiPlayer&) = delete;
  MidiPlayer& operator=(const MidiPlayer&) = delete;

  void SetFileName(const std::filesystem::path& file);
  const std::filesystem::path& FileName() const;

  // Closes what was open, which ends its music, then reads the file named by
  // SetFileName. False when it is missing or not a MIDI file; nothing is
  // open then.
  bool Open();
  // Starts the open tune from its beginning; false when nothing is open or
  // (but for Null output) there is no synthesiser. A tune plays once.
  bool Play();
  // Ends the music at once, notes and effect tails included. The tune stays
  // open, so Play starts it again.
  void Stop();
  // Stops and forgets the open tune.
  void Close();

  // The music's volume, 0..100 % (clamped), or none at all when muted,
  // through the synthesiser's own gain: heard from the next rendered block.
  void SetVolume(int percent, bool muted);

  // The owner's thread, once whenLoaded has been called: takes over what the
  // loading made, then starts the tune that Play asked for meanwhile, from
  // its beginning. Does nothing when nothing is loading.
  void FinishLoading();
  // True from a construction with whenLoaded until FinishLoading. Meanwhile
  // file names, Open, Play, Stop and volumes are kept for the synthesiser;
  // IsPlaying reports a play asked for, and nothing sounds.
  bool IsLoading() const;

  bool IsOpen() const;
  // True from Play until the tune ends or is stopped.
  bool IsPlaying() const;
  // True when a soundfont was loaded (otherwise every tune is silent; Null
  // output never loads one).
  bool HasSynth() const;
  // What the output ended up as: Audio falls back to Null without a device.
  MidiOutput Output() const;
  int SampleRate() const;
  // Voices the synthesiser has sounding now, release tails included: what
  // the music's CPU cost grows with.
  int ActiveVoices() const;

  // Manual output only: renders frames of interleaved 16-bit stereo into
  // `stereo` (2 * frames values), advancing the tune. Other outputs leave the
  // buffer silent.
  void Render(int16_t* stereo, int frames);

private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// What a render kept sounding, sampled once per rendered block.
struct MidiRenderReport {
  double meanVoices = 0;
  int peakVoices = 0;
};

// Renders `seconds` of a MIDI file into a 16-bit stereo WAV file, silence
// after the tune's end included. False (and no file) when the MIDI file
// cannot be opened, no soundfont is found or the WAV cannot be written.
bool RenderMidiToWav(const std::filesystem::path& midi, const std::filesystem::path& wav,
                     double seconds, const std::filesystem::path& soundfont = {},
                     MidiInterpolation interpolation = MidiOptions{}.interpolation,
                     MidiRenderReport* report = nullptr);

} // namespace ikea
