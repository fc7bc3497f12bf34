// The eight tunes. Melodies are written out; bass, accompaniment and drums
// follow the chords in each tune's style.
#include "Tunes.h"

namespace soundgen {

namespace {

// General MIDI programs used below.
enum Program {
    kPiano = 0, kElectricPiano = 4, kMusicBox = 10, kVibraphone = 11, kXylophone = 13, kAccordion = 21,
    kNylonGuitar = 24, kOverdrive = 29, kDistortion = 30, kAcousticBass = 32, kFingerBass = 33,
    kFretless = 35, kSynthBass = 38, kHarp = 46, kStrings = 48, kSynthStrings = 50, kTrumpet = 56,
    kTuba = 58, kHorn = 60, kBrass = 61, kClarinet = 71, kFlute = 73, kPanFlute = 75, kSquareLead = 80,
    kNewAgePad = 88, kWarmPad = 89, kMarimba = 12,
};

constexpr Voice none{};

Voice voice(int program, int volume, int pan) { return Voice{program, volume, pan}; }

Tune opening()
{
    return Tune{
        .file = "op.mid", .title = "Pond Morning Parade", .bpm = 126, .beatsPerBar = 4, .swing = false,
        .sections = {
            {'I', "F | C7", "C5e D5e E5e F5e G5e A5e Bb5e B5e | C6q rq rh"},
            {'A', "F | C | Dm | Bb C | F | Am Dm | Gm C | F",
             "C5e F5e A5q G5e F5e A5q | G5q. E5e C5q rq | D5e F5e A5q D6q C6e Bb5e | Bb5q A5e G5e G5h |"
             " C5e F5e A5q G5e F5e C6q | C6e. Bb5s A5q D6q A5q | Bb5e A5e G5e F5e E5q G5q | F5q. C5e F5q rq"},
            {'a', "F | C | Dm | Bb C | F | Am Dm | Gm C | F",
             "C5e F5e A5q G5e F5e A5q | G5q. E5e C5q rq | D5e F5e A5q D6q C6e Bb5e | Bb5q A5e G5e G5h |"
             " F6e C6e A5q C6e A5e F5q | E5e F5e G5e A5e Bb5e C6e D6q | D6q Bb5e G5e E5q C5q | F5h F5q rq"},
            {'B', "Bb | F | Gm | C | Bb | F | Gm7 | C7",
             "D5q. F5e Bb5h | A5q. G5e F5h | G5e A5e Bb5e A5e G5q D5q | E5q. F5e G5h |"
             " D6q. C6e Bb5q F5q | A5q. Bb5e C6h | Bb5e A5e G5e F5e G5q Bb5q | C6h E5q G5q"},
            {'O', "F | F", "A5e G5e F5e C5e A4e C5e F5q | F5h. rq"},
        },
        .order = "IAaBaO", .ending = "F",
        .lead = voice(kFlute, 104, 64), .leadLegato = 0.85,
        .doubling = voice(kMarimba, 80, 44), .doublingShift = -12,
        .bass = voice(kAcousticBass, 100, 64), .bassStyle = BassStyle::RootFifth,
        .comp = voice(kNylonGuitar, 80, 84), .compStyle = CompStyle::Arp,
        .pad = none, .drums = DrumStyle::Rock,
    };
}

Tune calmMorning()
{
    return Tune{
        .file = "p1.mid", .title = "Mist on the Water", .bpm = 80, .beatsPerBar = 4, .swing = false,
        .sections = {
            {'I', "G | C", ""},
            {'A', "G | Bm | C | D | G | Em | Am D | G",
             "D5h B4q D5q | F#5hq D5q | E5q. D5e C5q E5q | D5w |"
             " G5h F#5q E5q | E5q. F#5e G5h | A5q G5q F#5q E5q | D5w"},
            {'a', "G | Bm | C | D | G | Em | Am D | G",
             "D5h B4q D5q | F#5hq D5q | E5q. D5e C5q E5q | D5w |"
             " G5h F#5q E5q | E5q. F#5e G5h | A5q G5q F#5q A5q | G5w"},
            {'B', "C | G | Am | Em | C | G | Am7 | D7",
             "E5q G5q C6h | B5q. A5e G5h | C6q. B5e A5h | G5h E5h |"
             " E5q G5q C6q E6q | D6hq B5q | C6q B5q A5q G5q | F#5w"},
        },
        .order = "IABa", .ending = "G",
        .lead = voice(kPanFlute, 100, 64), .leadLegato = 0.95,
        .doubling = none, .doublingShift = 0,
        .bass = voice(kAcousticBass, 90, 64), .bassStyle = BassStyle::Whole,
        .comp = voice(kHarp, 82, 80), .compStyle = CompStyle::Arp,
        .pad = voice(kWarmPad, 62, 48), .drums = DrumStyle::Shaker,
    };
}

Tune lazyAfternoon()
{
    return Tune{
        .file = "p2.mid", .title = "Nap by the Reeds", .bpm = 92, .beatsPerBar = 4, .swing = true,
        .sections = {
            {'I', "F | C7", ""},
            {'A', "F | D7 | Gm7 | C7 | F | Bb | F C7 | F",
             "A4q C5e D5e F5h | F#5q. E5e D5h | rq Bb4e D5e F5q D5q | E5hq rq |"
             " A5q G5e F5e C5q A4q | Bb4e D5e F5e A5e G5h | A5q F5q G5q E5q | F5h rh"},
            {'a', "F | D7 | Gm7 | C7 | F | Bb | F C7 | F",
             "A4q C5e D5e F5h | F#5q. E5e D5h | rq Bb4e D5e F5q D5q | E5hq rq |"
             " C6q A5e F5e D5q F5q | Bb4e D5e F5e A5e G5h | A5q G5q E5q C5q | F5w"},
            {'B', "Bb | Bdim | F | D7 | Gm7 | C7 | Am7 D7 | Gm7 C7",
             "D5q F5q Bb5q. A5e | Ab5h F5h | A5q. G5e F5q C5q | D5hq F#5q |"
             " G5e A5e Bb5e D6e F5h | E5q G5q Bb5q C6q | C6q A5q F#5q D5q | Bb4q D5q E5q G5q"},
        },
        .order = "IAABa", .ending = "F",
        .lead = voice(kClarinet, 100, 64), .leadLegato = 0.9,
        .doubling = none, .doublingShift = 0,
        .bass = voice(kAcousticBass, 100, 60), .bassStyle = BassStyle::Walk,
        .comp = voice(kElectricPiano, 78, 84), .compStyle = CompStyle::Backbeat,
        .pad = none, .drums = DrumStyle::Brush,
    };
}

Tune playful()
{
    return Tune{
        .file = "p3.mid", .title = "Frog Hop", .bpm = 144, .beatsPerBar = 4, .swing = false,
        .sections = {
            {'I', "C | G7", "C5e E5e G5e C6e rh | B4e D5e F5e G5e rh"},
            {'A', "C | G7 | G7 | C | C | F | G7 | C",
             "E5e G5e E5e G5e C6q G5q | F5e D5e F5e D5e B4q G4q | D5e F5e A5e G5e F5q D5q | E5e G5e C6e G5e E5q C5q |"
             " E5e G5e E5e G5e C6q E6q | F6e E6e D6e C6e A5q F5q | G5e A5e G5e F5e D5q B4q | C5q E5q C5q rq"},
            {'a', "C | G7 | G7 | C | C | F | G7 | C",
             "E5e G5e E5e G5e C6q G5q | F5e D5e F5e D5e B4q G4q | D5e F5e A5e G5e F5q D5q | E5e G5e C6e G5e E5q C5q |"
             " E5e G5e E5e G5e C6q E6q | F6e E6e D6e C6e A5q F5q | D5e F5e B5e D6e G5q F5q | E5q C6q C5q rq"},
            {'B', "F | C | G7 | C | F | D7 | G | G7",
             "A5q. G5e F5q C5q | E5q. F5e G5h | F5e G5e A5e B5e D6q B5q | C6q G5q E5q C5q |"
             " A5e C6e A5e C6e F6q C6q | F#5e A5e D6e A5e F#5q D5q | G5e A5e B5e C6e D6q B5q | G5q F5q D5q B4q"},
        },
        .order = "IAaBAa", .ending = "C",
        .lead = voice(kXylophone, 127, 64), .leadLegato = 0.5,
        .doubling = voice(kClarinet, 104, 40), .doublingShift = -12,
        .bass = voice(kTuba, 96, 64), .bassStyle = BassStyle::OomPah,
        .comp = voice(kAccordion, 78, 88), .compStyle = CompStyle::Offbeat,
        .pad = none, .drums = DrumStyle::Polka,
    };
}

Tune dreamyNight()
{
    return Tune{
        .file = "p4.mid", .title = "Fireflies", .bpm = 76, .beatsPerBar = 3, .swing = false,
        .sections = {
            {'I', "Am | Fmaj7 | Am | Fmaj7", ""},
            {'A', "Am | Fmaj7 | C | G | Am | Dm | E7 | Am",
             "E5h A5q | A5q G5q E5q | G5h E5q | D5h. | E5q A5q C6q | D6q C6q A5q | B5q. G#5e E5q | A5h."},
            {'B', "F | G | Em | Am | F | G | Esus4 | E7",
             "A5q C6q F6q | E6h D6q | B5h. | C6q B5q A5q | F5q A5q C6q | B5h D6q | A5h. | G#5h."},
            {'a', "Am | Fmaj7 | C | G | Am | Dm | E7 | Am",
             "E5h A5q | A5q G5q E5q | G5h E5q | D5h. | E6q C6q A5q | D6q C6q A5q | B5q G#5q E5q | A5h."},
        },
        .order = "IABa", .ending = "Am",
        .lead = voice(kVibraphone, 127, 64), .leadLegato = 0.95,
        .doubling = voice(kFlute, 72, 50), .doublingShift = 0,
        .bass = voice(kFretless, 92, 64), .bassStyle = BassStyle::Waltz,
        .comp = voice(kHarp, 88, 82), .compStyle = CompStyle::Arp,
        .pad = voice(kNewAgePad, 56, 46), .drums = DrumStyle::None,
    };
}

Tune adventurous()
{
    return Tune{
        .file = "p5.mid", .title = "Beyond the Far Bank", .bpm = 116, .beatsPerBar = 4, .swing = false,
        .sections = {
            {'I', "Dm | Dm", ""},
            {'A', "Dm | Bb | C | Dm | Dm | Bb | C | A7",
             "D5q. A4e D5e E5e F5q | F5q. D5e Bb4h | C5e E5e G5e C6e G5q E5q | F5q E5q D5h |"
             " A5q. D5e F5e G5e A5q | Bb5q. A5e F5q D5q | G5q. F5e E5q C5q | E5h C#5h"},
            {'a', "Dm | Bb | C | Dm | Dm | Bb | C | Dm",
             "D5q. A4e D5e E5e F5q | F5q. D5e Bb4h | C5e E5e G5e C6e G5q E5q | F5q E5q D5h |"
             " A5q. D6e C6e Bb5e A5q | Bb5q. A5e F5q D5q | G5q. F5e E5q C5q | D5w"},
            {'B', "F | C | Bb | F | Gm | C | Bb | A7",
             "C5q F5q A5q. G5e | G5h E5q C5q | D5q F5q Bb5q. A5e | A5w |"
             " Bb5q. A5e G5q D5q | E5q G5q C6h | D6q. C6e Bb5q F5q | C#5h E5h"},
        },
        .order = "IAaBa", .ending = "Dm",
        .lead = voice(kHorn, 108, 64), .leadLegato = 0.92,
        .doubling = voice(kTrumpet, 66, 54), .doublingShift = 0,
        .bass = voice(kFingerBass, 100, 64), .bassStyle = BassStyle::Eighths,
        // A harp, not bowed strings: each string note sounds five voices and
        // rings 2-3 s after its key is let go, so a strings arpeggio keeps
        // about 64 voices sounding and costs twice the synthesis of any
        // other tune.
        .comp = voice(kHarp, 86, 80), .compStyle = CompStyle::Arp,
        .pad = none, .drums = DrumStyle::Rock,
    };
}

Tune raceEntry()
{
    return Tune{
        .file = "phan.mid", .title = "Paddock Call", .bpm = 104, .beatsPerBar = 4, .swing = false,
        .sections = {
            {'I', "Cm | G", "G4e. G4s C5q G4e. C5s Eb5q | D5e. C5s B4e C5e D5h"},
            {'A', "Cm | Cm | Ab | G | Cm | Fm | G | G7",
             "C5q rq G4e. G4s C5q | Eb5q. D5e C5h | Eb5e. Eb5s Ab5q Eb5e. C5s Ab4q | G4q B4q D5h |"
             " G5q. F5e Eb5q C5q | Ab5q. G5e F5q C5q | D5e. D5s G5q B4e. B4s D5q | B4h D5q F5q"},
            {'B', "Eb | Bb | Cm | G | Ab | Eb | F | G",
             "G5q. Bb5e Eb6h | D6q. C6e Bb5h | C6q G5q Eb5q G5q | D5w |"
             " C6q. Bb5e Ab5q Eb5q | G5q. F5e Eb5h | F5e G5e A5e Bb5e C6q A5q | D6h B5h"},
            {'O', "Cm", "C5q G4q C5h"},
        },
        .order = "IABAO", .ending = "Cm",
        .lead = voice(kTrumpet, 104, 64), .leadLegato = 0.8,
        .doubling = voice(kHorn, 80, 48), .doublingShift = -12,
        .bass = voice(kTuba, 96, 64), .bassStyle = BassStyle::March,
        .comp = voice(kBrass, 72, 84), .compStyle = CompStyle::Stabs,
        .pad = voice(kStrings, 60, 40), .drums = DrumStyle::March,
    };
}

Tune race()
{
    return Tune{
        .file = "race2.mid", .title = "Full Fin Ahead", .bpm = 168, .beatsPerBar = 4, .swing = false,
        .sections = {
            {'I', "Em | Em | C | B7", ""},
            {'A', "Em | C | D | Em | Em | C | D | B7",
             "E5e G5e B5e E6e D6e B5e G5e B5e | C6q. B5e G5q E5q | F#5e A5e D6e A5e F#5e A5e D6q | E6q. D6e B5h |"
             " G5e F#5e E5e F#5e G5e A5e B5q | C6e B5e A5e G5e E5q G5q | A5e B5e A5e G5e F#5q D5q | D#5h F#5h"},
            {'a', "Em | C | D | Em | Em | C | D | B7",
             "E5e G5e B5e E6e D6e B5e G5e B5e | C6q. B5e G5q E5q | F#5e A5e D6e A5e F#5e A5e D6q | E6q. D6e B5h |"
             " B5e A5e G5e A5e B5e D6e E6q | C6e B5e A5e G5e E5q G5q | A5e B5e A5e G5e F#5q D5q | B5h rh"},
            {'B', "C | D | Bm | Em | C | D | B7 | B7",
             "G5q G5e G5e A5q G5q | F#5q F#5e F#5e A5q D6q | B5q B5e A5e F#5q D5q | E5hq rq |"
             " E6q E6e D6e C6q G5q | D6q D6e C6e A5q F#5q | D#6e C6e B5e A5e F#5e A5e B5q | B5w"},
            {'C', "Am | Em | Am | B7 | Am | Em | C | B7",
             "A5q. C6e E6q C6q | B5q. G5e E5h | A5e B5e C6e D6e E6q A5q | F#5h D#5h |"
             " C6q A5q E6q C6q | B5q G5q E5h | E5e G5e C6e E6e G5e C6e E6q | F#6h D#6q B5q"},
        },
        .order = "IAaBCa", .ending = "Em",
        .lead = voice(kSquareLead, 82, 64), .leadLegato = 0.85,
        .doubling = voice(kOverdrive, 70, 44), .doublingShift = -12,
        .bass = voice(kSynthBass, 90, 64), .bassStyle = BassStyle::Eighths,
        .comp = voice(kDistortion, 64, 90), .compStyle = CompStyle::Power,
        .pad = voice(kSynthStrings, 56, 36), .drums = DrumStyle::Drive,
    };
}

} // namespace

const std::vector<Tune>& tunes()
{
    static const std::vector<Tune> all = {opening(),      calmMorning(), lazyAfternoon(), playful(),
                                          dreamyNight(), adventurous(), raceEntry(),     race()};
    return all;
}

} // namespace soundgen
