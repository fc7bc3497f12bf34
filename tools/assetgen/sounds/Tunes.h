// The game's music, composed as data: each tune is a set of sections (chords
// per bar and a written melody) played in an order, and an arrangement that
// turns the chords into bass, accompaniment and drum parts in a chosen style.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace soundgen {

enum class BassStyle { Whole, RootFifth, Walk, Eighths, OomPah, Waltz, March };
enum class CompStyle { None, Pad, Arp, Offbeat, Backbeat, WaltzChords, Stabs, Power };
enum class DrumStyle { None, Shaker, Brush, Polka, Rock, Drive, March };

struct Section {
    char id;
    // Bars split by '|'; several chords in one bar share it evenly.
    std::string chords;
    // Notes as <letter><accidental><octave><lengths>, e.g. "Bb4e" or "C5q.";
    // lengths w h q e s add up ("G5hq" is three beats), '.' dots the one
    // before; rests are "r" with lengths. '|' marks where bars must fall.
    // Empty: the melody rests through the section.
    std::string melody;
};

struct Voice {
    int program = -1;   // General MIDI program 0..127; -1 leaves the part out
    int volume = 100;
    int pan = 64;
};

struct Tune {
    std::string file;
    std::string title;
    double bpm;
    int beatsPerBar;     // 4 or 3, in quarter notes
    bool swing;          // eighths played long-short
    std::vector<Section> sections;
    std::string order;   // section ids in playing order
    std::string ending;  // chord held in the closing bar
    Voice lead;
    double leadLegato;   // fraction of each written length that sounds
    Voice doubling;      // plays the melody an octave away
    int doublingShift;
    Voice bass;
    BassStyle bassStyle;
    Voice comp;
    CompStyle compStyle;
    Voice pad;
    DrumStyle drums;
};

const std::vector<Tune>& tunes();

// Ticks per quarter note in the files.
constexpr int kDivision = 480;

// Bars the tune plays, closing bar included; throws if a melody does not fit
// its chords.
int tuneBars(const Tune& tune);
double tuneSeconds(const Tune& tune);
std::vector<std::uint8_t> renderTune(const Tune& tune);

// A melody string as (key, ticks) pairs, key -1 for a rest; throws on a bad
// token or a bar line that falls off the bar.
std::vector<std::pair<int, int>> parseMelody(const std::string& text, int beatsPerBar);

} // namespace soundgen
