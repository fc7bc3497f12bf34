// Renders a MIDI file offline with the music player's own synthesiser
// settings, and says what the rendering cost: the share of one core that
// playing it in real time takes. With fourth-order, the synthesiser reads
// its samples as FluidSynth does by default, for comparing the two. The
// voices it kept sounding are what that cost grows with.
//   midi_render IN.mid OUT.wav SECONDS [fourth-order]
#include <cstdio>
#include <ctime>
#include <string>

#include "sound/midi/MidiPlayer.h"
#include "sound/probe/Seconds.h"

int main(int argc, char** argv) {
  const bool fourthOrder = argc == 5 && std::string(argv[4]) == "fourth-order";
  const std::optional<double> parsed = argc >= 4 ? probe::ParseSeconds(argv[3]) : std::nullopt;
  if (!parsed || (argc == 5 && !fourthOrder) || argc > 5) {
    std::fprintf(stderr, "usage: midi_render IN.mid OUT.wav SECONDS [fourth-order]\n");
    return 2;
  }
  const double seconds = *parsed;
  const auto interpolation = fourthOrder ? ikea::MidiInterpolation::FourthOrder : ikea::MidiInterpolation::Linear;
  const std::clock_t start = std::clock();
  ikea::MidiRenderReport report;
  if (!ikea::RenderMidiToWav(argv[1], argv[2], seconds, {}, interpolation, &report)) {
    std::fprintf(stderr, "midi_render: %s could not be rendered\n", argv[1]);
    return 1;
  }
  const double cpu = double(std::clock() - start) / CLOCKS_PER_SEC;
  std::printf("%s: %.0f s rendered in %.2f s of CPU (%.2f %% of a core in real time, soundfont load included);"
              " %.1f voices sounding on average, %d at most\n",
              argv[1], seconds, cpu, 100.0 * cpu / seconds, report.meanVoices, report.peakVoices);
  return 0;
}
