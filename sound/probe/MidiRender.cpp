// Renders a MIDI file offline with the music player's own synthesiser
// settings, and says what the rendering cost: the share of one core that
// playing it in real time takes.
//   midi_render IN.mid OUT.wav SECONDS
#include <cstdio>
#include <ctime>
#include <string>

#include "sound/midi/MidiPlayer.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: midi_render IN.mid OUT.wav SECONDS\n");
    return 2;
  }
  const double seconds = std::stod(argv[3]);
  const std::clock_t start = std::clock();
  if (!ikea::RenderMidiToWav(argv[1], argv[2], seconds)) {
    std::fprintf(stderr, "midi_render: %s could not be rendered\n", argv[1]);
    return 1;
  }
  const double cpu = double(std::clock() - start) / CLOCKS_PER_SEC;
  std::printf("%s: %.0f s rendered in %.2f s of CPU (%.2f %% of a core in real time, soundfont load included)\n",
              argv[1], seconds, cpu, 100.0 * cpu / seconds);
  return 0;
}
