#include "Tunes.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <stdexcept>

#include "Smf.h"

namespace soundgen {

namespace {

constexpr int kQuarter = kDivision;
constexpr int kSixteenth = kDivision / 4;

enum Channel { kLead = 0, kDoubling = 1, kBass = 2, kComp = 3, kPad = 4, kDrums = 9 };

enum Drum {
    kKick = 36, kSideStick = 37, kSnare = 38, kClosedHat = 42, kPedalHat = 44, kOpenHat = 46,
    kLowTom = 45, kLowMidTom = 47, kHiMidTom = 48, kCrash = 49, kHighTom = 50, kRide = 51,
    kTriangle = 81, kShaker = 82,
};

struct Chord {
    int root = 0;                // pitch class
    std::vector<int> intervals;  // from the root
};

Chord parseChord(const std::string& name)
{
    static constexpr int kLetter[] = {9, 11, 0, 2, 4, 5, 7};  // A..G
    if (name.empty() || name[0] < 'A' || name[0] > 'G') throw std::invalid_argument("bad chord " + name);
    Chord c;
    c.root = kLetter[name[0] - 'A'];
    std::size_t i = 1;
    if (i < name.size() && name[i] == '#') ++c.root, ++i;
    else if (i < name.size() && name[i] == 'b') --c.root, ++i;
    c.root = (c.root + 12) % 12;
    const std::string q = name.substr(i);
    if (q.empty()) c.intervals = {0, 4, 7};
    else if (q == "m") c.intervals = {0, 3, 7};
    else if (q == "7") c.intervals = {0, 4, 7, 10};
    else if (q == "m7") c.intervals = {0, 3, 7, 10};
    else if (q == "maj7") c.intervals = {0, 4, 7, 11};
    else if (q == "dim") c.intervals = {0, 3, 6, 9};
    else if (q == "sus4") c.intervals = {0, 5, 7};
    else throw std::invalid_argument("bad chord " + name);
    return c;
}

std::vector<std::vector<Chord>> parseBars(const std::string& text)
{
    std::vector<std::vector<Chord>> bars;
    std::stringstream all(text);
    std::string bar;
    while (std::getline(all, bar, '|')) {
        std::stringstream words(bar);
        std::vector<Chord> chords;
        for (std::string w; words >> w;) chords.push_back(parseChord(w));
        if (chords.empty()) throw std::invalid_argument("empty bar in " + text);
        bars.push_back(std::move(chords));
    }
    return bars;
}

int lengthTicks(const std::string& notation, std::size_t from, const std::string& token)
{
    int total = 0, last = 0;
    for (std::size_t i = from; i < notation.size(); ++i) {
        switch (notation[i]) {
        case 'w': last = 16 * kSixteenth; break;
        case 'h': last = 8 * kSixteenth; break;
        case 'q': last = 4 * kSixteenth; break;
        case 'e': last = 2 * kSixteenth; break;
        case 's': last = kSixteenth; break;
        case '.': total += last / 2; last = 0; continue;
        default: throw std::invalid_argument("bad length in " + token);
        }
        total += last;
    }
    if (total == 0) throw std::invalid_argument("no length in " + token);
    return total;
}

// A deterministic wobble of a few velocity steps so repeated notes breathe.
int humanise(std::uint32_t tick, int salt)
{
    std::uint32_t h = tick * 2654435761u + std::uint32_t(salt) * 40503u;
    h ^= h >> 13;
    return int(h % 9) - 4;
}

struct Segment {
    std::uint32_t start;
    std::uint32_t length;
    Chord chord;
    int nextRoot;
};

struct Bar {
    std::uint32_t start;
    bool sectionStart;
    bool sectionEnd;
    bool first;
};

class Arranger {
public:
    explicit Arranger(const Tune& tune) : tune_(tune), bar_(std::uint32_t(tune.beatsPerBar * kQuarter)) {}

    std::vector<std::uint8_t> render();
    int bars();

private:
    void layout();
    std::uint32_t place(std::uint32_t t) const;
    void emit(SmfTrack& track, int channel, std::uint32_t start, std::uint32_t length, int key, int velocity,
              double legato);
    void setUp(SmfTrack& track, int channel, const Voice& voice, int reverb, int chorus);
    void writeLead(SmfTrack& track, int channel, int shift, double legato, int velocityBias);
    void writeBass(SmfTrack& track);
    void writeComp(SmfTrack& track, CompStyle style, int channel);
    void writeDrums(SmfTrack& track);
    static int bassKey(int pc) { return 33 + (pc - 9 + 12) % 12; }
    static std::vector<int> voicing(const Chord& c);

    const Tune& tune_;
    const std::uint32_t bar_;
    std::vector<Segment> segments_;
    std::vector<Bar> bars_;
    std::vector<std::pair<std::uint32_t, std::pair<int, int>>> melody_;  // start, (key, ticks)
    std::uint32_t closing_ = 0;                                          // start of the closing bar
    Chord ending_;
    bool laidOut_ = false;
};

void Arranger::layout()
{
    if (laidOut_) return;
    laidOut_ = true;
    std::uint32_t now = 0;
    for (char id : tune_.order) {
        const auto it = std::find_if(tune_.sections.begin(), tune_.sections.end(),
                                     [id](const Section& s) { return s.id == id; });
        if (it == tune_.sections.end()) throw std::invalid_argument(std::string("no section ") + id);
        const auto chordBars = parseBars(it->chords);
        for (std::size_t b = 0; b < chordBars.size(); ++b) {
            const std::uint32_t barStart = now + std::uint32_t(b) * bar_;
            bars_.push_back({barStart, b == 0, b + 1 == chordBars.size(), bars_.empty()});
            const auto& chords = chordBars[b];
            const std::uint32_t each = bar_ / std::uint32_t(chords.size());
            for (std::size_t c = 0; c < chords.size(); ++c)
                segments_.push_back({barStart + std::uint32_t(c) * each, each, chords[c], 0});
        }
        if (!it->melody.empty()) {
            std::uint32_t t = now;
            for (const auto& [key, ticks] : parseMelody(it->melody, tune_.beatsPerBar)) {
                if (key >= 0) melody_.push_back({t, {key, ticks}});
                t += std::uint32_t(ticks);
            }
            if (t - now != chordBars.size() * bar_)
                throw std::invalid_argument(tune_.file + ": melody of section " + id + " does not fill its bars");
        }
        now += std::uint32_t(chordBars.size()) * bar_;
    }
    closing_ = now;
    ending_ = parseChord(tune_.ending);
    for (std::size_t i = 0; i < segments_.size(); ++i)
        segments_[i].nextRoot = i + 1 < segments_.size() ? segments_[i + 1].chord.root : ending_.root;
}

int Arranger::bars()
{
    layout();
    return int(bars_.size()) + 1;
}

std::uint32_t Arranger::place(std::uint32_t t) const
{
    if (!tune_.swing) return t;
    // Long-short eighths: the off-beat eighth lands on the last triplet.
    const std::uint32_t beat = t / kQuarter * kQuarter;
    const std::uint32_t p = t - beat;
    const std::uint32_t half = kQuarter / 2, longPart = kQuarter * 2 / 3;
    return beat + (p <= half ? p * longPart / half : longPart + (p - half) * (kQuarter - longPart) / half);
}

void Arranger::emit(SmfTrack& track, int channel, std::uint32_t start, std::uint32_t length, int key,
                    int velocity, double legato)
{
    const auto sounding = std::max<std::uint32_t>(kSixteenth / 2, std::uint32_t(length * legato));
    const std::uint32_t on = place(start);
    const std::uint32_t off = std::max(on + kSixteenth / 4, place(start + sounding));
    track.note(on, off, channel, key, velocity);
}

void Arranger::setUp(SmfTrack& track, int channel, const Voice& voice, int reverb, int chorus)
{
    if (channel != kDrums) track.program(0, channel, voice.program);
    track.control(0, channel, 7, voice.volume);
    track.control(0, channel, 10, voice.pan);
    track.control(0, channel, 91, reverb);
    track.control(0, channel, 93, chorus);
}

void Arranger::writeLead(SmfTrack& track, int channel, int shift, double legato, int velocityBias)
{
    for (const auto& [start, note] : melody_) {
        const std::uint32_t inBar = (start - bars_.front().start) % bar_;
        int v = 90 + velocityBias + humanise(start, channel);
        if (inBar == 0) v += 8;
        else if (inBar % kQuarter == 0) v += 3;
        else v -= 4;
        if (note.second >= 2 * kQuarter) v += 4;  // long notes carry the line
        emit(track, channel, start, std::uint32_t(note.second), note.first + shift, v, legato);
    }
}

std::vector<int> Arranger::voicing(const Chord& c)
{
    std::vector<int> keys;
    const int base = 55 + (c.root - 7 + 12) % 12;  // root between G3 and F#4
    for (int i : c.intervals) keys.push_back(base + i);
    return keys;
}

void Arranger::writeBass(SmfTrack& track)
{
    const std::uint32_t beat = kQuarter;
    int barCount = 0;
    for (const auto& seg : segments_) {
        const int root = bassKey(seg.chord.root);
        const int fifth = root + seg.chord.intervals[std::min<std::size_t>(2, seg.chord.intervals.size() - 1)];
        const int third = root + seg.chord.intervals[1];
        const std::uint32_t beats = seg.length / beat;
        const bool barStart = (seg.start % bar_) == 0;
        if (barStart) ++barCount;
        switch (tune_.bassStyle) {
        case BassStyle::Whole:
            emit(track, kBass, seg.start, seg.length, root, 84 + humanise(seg.start, 2), 0.95);
            break;
        case BassStyle::RootFifth:
            if (beats >= 2) {
                emit(track, kBass, seg.start, seg.length / 2, root, 88, 0.9);
                emit(track, kBass, seg.start + seg.length / 2, seg.length / 2, fifth - 12 >= 28 ? fifth - 12 : fifth, 78, 0.9);
            } else {
                emit(track, kBass, seg.start, seg.length, root, 88, 0.9);
            }
            break;
        case BassStyle::Walk: {
            // Chord tones, then a half step into the next chord's root.
            const int next = bassKey(seg.nextRoot);
            const int approach = next > root ? next - 1 : next + 1;
            const int line[] = {root, third, fifth, approach};
            for (std::uint32_t b = 0; b < beats; ++b) {
                const int key = b + 1 == beats && beats > 1 ? approach : line[std::min<std::uint32_t>(b, 2)];
                emit(track, kBass, seg.start + b * beat, beat, key, (b == 0 ? 90 : 78) + humanise(seg.start + b * beat, 3), 0.85);
            }
            break;
        }
        case BassStyle::Eighths:
            for (std::uint32_t e = 0; e < seg.length / (beat / 2); ++e) {
                const std::uint32_t at = seg.start + e * beat / 2;
                int key = root;
                if (e % 8 == 3 || e % 8 == 7) key = root + 12;
                if (e + 2 >= seg.length / (beat / 2) && seg.length >= bar_) key = fifth;
                emit(track, kBass, at, beat / 2, key, (e % 2 == 0 ? 96 : 80) + humanise(at, 4), 0.7);
            }
            break;
        case BassStyle::OomPah:
            for (std::uint32_t b = 0; b < beats; b += 2) {
                const int key = ((seg.start + b * beat) / (2 * beat)) % 2 ? fifth - 12 : root;
                emit(track, kBass, seg.start + b * beat, beat, key < 28 ? key + 12 : key, 96, 0.6);
            }
            break;
        case BassStyle::Waltz:
            emit(track, kBass, seg.start, 2 * beat, barCount % 2 ? root : fifth - 12 >= 28 ? fifth - 12 : root, 80, 0.95);
            break;
        case BassStyle::March:
            for (std::uint32_t b = 0; b < beats; ++b)
                emit(track, kBass, seg.start + b * beat, beat, b % 2 ? (fifth - 12 >= 28 ? fifth - 12 : fifth) : root,
                     b % 2 ? 80 : 94, 0.55);
            break;
        }
    }
    emit(track, kBass, closing_, bar_, bassKey(ending_.root), 96, 0.97);
}

void Arranger::writeComp(SmfTrack& track, CompStyle style, int channel)
{
    const std::uint32_t beat = kQuarter;
    auto chord = [&](std::uint32_t at, std::uint32_t len, const std::vector<int>& keys, int vel, double legato) {
        for (int k : keys) emit(track, channel, at, len, k, vel + humanise(at, k), legato);
    };
    for (const auto& seg : segments_) {
        const auto keys = voicing(seg.chord);
        const std::uint32_t beats = seg.length / beat;
        switch (style) {
        case CompStyle::None: break;
        case CompStyle::Pad: chord(seg.start, seg.length, keys, 62, 0.98); break;
        case CompStyle::Arp: {
            std::vector<int> tones = keys;
            tones.push_back(keys.front() + 12);
            if (tones.size() < 5) tones.push_back(keys[1] + 12);
            const int n = int(tones.size());
            for (std::uint32_t e = 0; e < seg.length / (beat / 2); ++e) {
                const int cycle = 2 * n - 2;
                const int step = int(e) % cycle;
                const int idx = step < n ? step : cycle - step;
                const std::uint32_t at = seg.start + e * beat / 2;
                emit(track, channel, at, beat / 2, tones[std::size_t(idx)], (e % 2 ? 60 : 70) + humanise(at, 5), 1.4);
            }
            break;
        }
        case CompStyle::Offbeat:
            for (std::uint32_t b = 0; b < beats; ++b) chord(seg.start + b * beat + beat / 2, beat / 2, keys, 66, 0.6);
            break;
        case CompStyle::Backbeat:
            for (std::uint32_t b = 0; b < beats; ++b)
                if (((seg.start + b * beat) / beat) % 2 == 1) chord(seg.start + b * beat, beat, keys, 64, 0.75);
            break;
        case CompStyle::WaltzChords:
            for (std::uint32_t b = 0; b < beats; ++b)
                if (((seg.start + b * beat) % bar_) != 0) chord(seg.start + b * beat, beat, keys, 56, 0.7);
            break;
        case CompStyle::Stabs: {
            static constexpr int kRhythm[][2] = {{0, 3}, {3, 1}, {4, 4}, {8, 3}, {11, 1}, {12, 4}};
            for (const auto& r : kRhythm) {
                const std::uint32_t at = seg.start + std::uint32_t(r[0]) * kSixteenth;
                if (at >= seg.start + seg.length) continue;
                chord(at, std::uint32_t(r[1]) * kSixteenth, keys, r[0] % 4 ? 64 : 80, 0.7);
            }
            break;
        }
        case CompStyle::Power: {
            const int low = 40 + (seg.chord.root - 4 + 12) % 12;  // E2..D#3
            for (std::uint32_t e = 0; e < seg.length / (beat / 2); ++e) {
                const std::uint32_t at = seg.start + e * beat / 2;
                const int vel = (e % 4 == 0 ? 92 : 72) + humanise(at, 6);
                emit(track, channel, at, beat / 2, low, vel, 0.55);
                emit(track, channel, at, beat / 2, low + 7, vel - 6, 0.55);
            }
            break;
        }
        }
    }
    if (style != CompStyle::None) {
        auto keys = voicing(ending_);
        keys.push_back(keys.front() + 12);
        chord(closing_, bar_, keys, 78, 0.97);
    }
}

void Arranger::writeDrums(SmfTrack& track)
{
    const DrumStyle style = tune_.drums;
    const int beats = tune_.beatsPerBar;
    const int steps = beats * 4;
    for (const auto& bar : bars_) {
        std::vector<std::pair<int, std::pair<int, int>>> hits;  // step, (key, velocity)
        auto hit = [&](int step, int key, int vel) { hits.push_back({step, {key, vel}}); };
        const bool loud = style == DrumStyle::Rock || style == DrumStyle::Drive || style == DrumStyle::Polka
                          || style == DrumStyle::March;
        int fillFrom = steps;
        if (bar.sectionEnd && !bar.first) {
            if (style == DrumStyle::Rock || style == DrumStyle::Drive) fillFrom = steps - 8;
            else if (style == DrumStyle::Polka || style == DrumStyle::March) fillFrom = steps - 4;
        }
        for (int s = 0; s < fillFrom; ++s) {
            const bool onBeat = s % 4 == 0, onEighth = s % 2 == 0;
            const int b = s / 4;
            switch (style) {
            case DrumStyle::None: break;
            case DrumStyle::Shaker:
                if (onEighth) hit(s, kShaker, onBeat ? 52 : 38);
                break;
            case DrumStyle::Brush:
                if (onBeat) hit(s, kRide, b == 0 ? 84 : 76);
                if (s % 4 == 2 && b % 2 == 1) hit(s, kRide, 62);
                if (onBeat && b % 2 == 1) hit(s, kPedalHat, 66);
                if (s == 0) hit(s, kKick, 60);
                if (onBeat && b == beats - 1) hit(s, kSideStick, 52);
                break;
            case DrumStyle::Polka:
                if (onBeat) hit(s, b % 2 ? kSnare : kKick, b % 2 ? 62 : 84);
                if (onEighth) hit(s, kClosedHat, onBeat ? 50 : 40);
                break;
            case DrumStyle::Rock:
                if (s == 0 || s == 8) hit(s, kKick, 96);
                if (s == 10) hit(s, kKick, 74);
                if (onBeat && b % 2 == 1) hit(s, kSnare, 98);
                if (onEighth) hit(s, kClosedHat, onBeat ? 72 : 54);
                break;
            case DrumStyle::Drive:
                if (onBeat) hit(s, kKick, 100);
                if (onBeat && b % 2 == 1) hit(s, kSnare, 104);
                if (s == steps - 2) hit(s, kOpenHat, 70);
                else hit(s, kClosedHat, onEighth ? 72 : 46);
                break;
            case DrumStyle::March: {
                static constexpr int kSnareVel[16] = {92, 0, 0, 58, 84, 0, 54, 60, 92, 0, 0, 58, 84, 0, 64, 70};
                if (kSnareVel[s % 16]) hit(s, kSnare, kSnareVel[s % 16]);
                if (s % 8 == 0) hit(s, kKick, 86);
                break;
            }
            }
        }
        // Fills lead into the next section.
        static constexpr int kToms[] = {kHighTom, kHighTom, kHiMidTom, kHiMidTom, kLowMidTom, kLowMidTom, kLowTom, kLowTom};
        for (int s = fillFrom, i = 0; s < steps; ++s, ++i) {
            if (style == DrumStyle::Rock || style == DrumStyle::Drive) hit(s, kToms[i], 72 + 5 * i);
            else hit(s, kSnare, 60 + 10 * i);
        }
        if (bar.sectionStart && !bar.first && loud) hit(0, kCrash, 92);
        if (bar.sectionStart && style == DrumStyle::Shaker) hit(0, kTriangle, 56);
        for (const auto& [step, kv] : hits)
            emit(track, kDrums, bar.start + std::uint32_t(step) * kSixteenth, kSixteenth, kv.first,
                 kv.second + humanise(bar.start + std::uint32_t(step), kv.first), 1.0);
    }
    if (style != DrumStyle::None) {
        emit(track, kDrums, closing_, kQuarter, kCrash, 100, 1.0);
        emit(track, kDrums, closing_, kQuarter, style == DrumStyle::Shaker ? kTriangle : kKick, 96, 1.0);
    }
}

std::vector<std::uint8_t> Arranger::render()
{
    layout();
    std::vector<SmfTrack> tracks(1);
    tracks[0].name(0, tune_.title);
    tracks[0].timeSignature(0, tune_.beatsPerBar, 4);
    tracks[0].tempo(0, tune_.bpm);

    auto part = [&](const Voice& voice, int channel, const char* name, int reverb, int chorus) -> SmfTrack* {
        if (voice.program < 0) return nullptr;
        tracks.emplace_back();
        tracks.back().name(0, name);
        setUp(tracks.back(), channel, voice, reverb, chorus);
        return &tracks.back();
    };
    tracks.reserve(8);
    if (auto* t = part(tune_.lead, kLead, "Melody", 60, 10)) writeLead(*t, kLead, 0, tune_.leadLegato, 0);
    if (auto* t = part(tune_.doubling, kDoubling, "Doubling", 50, 10))
        writeLead(*t, kDoubling, tune_.doublingShift, tune_.leadLegato, -14);
    if (auto* t = part(tune_.bass, kBass, "Bass", 25, 0)) writeBass(*t);
    if (auto* t = part(tune_.comp, kComp, "Accompaniment", 45, 30)) writeComp(*t, tune_.compStyle, kComp);
    if (auto* t = part(tune_.pad, kPad, "Pad", 70, 60)) writeComp(*t, CompStyle::Pad, kPad);
    if (tune_.drums != DrumStyle::None) {
        auto* t = part(Voice{0, 92, 64}, kDrums, "Drums", 35, 0);
        writeDrums(*t);
    }
    return writeSmf(tracks, kDivision, closing_ + bar_);
}

} // namespace

std::vector<std::pair<int, int>> parseMelody(const std::string& text, int beatsPerBar)
{
    static constexpr int kLetter[] = {9, 11, 0, 2, 4, 5, 7};
    const int bar = beatsPerBar * kQuarter;
    std::vector<std::pair<int, int>> notes;
    int now = 0;
    std::stringstream words(text);
    for (std::string w; words >> w;) {
        if (w == "|") {
            if (now % bar != 0) throw std::invalid_argument("bar line off the bar before token " + std::to_string(notes.size()));
            continue;
        }
        std::size_t i = 0;
        int key = -1;
        if (w[0] == 'r') {
            i = 1;
        } else {
            if (w[0] < 'A' || w[0] > 'G') throw std::invalid_argument("bad note " + w);
            int pc = kLetter[w[0] - 'A'];
            i = 1;
            if (i < w.size() && w[i] == '#') ++pc, ++i;
            else if (i < w.size() && w[i] == 'b') --pc, ++i;
            if (i >= w.size() || !std::isdigit(static_cast<unsigned char>(w[i]))) throw std::invalid_argument("bad note " + w);
            key = 12 * (w[i] - '0' + 1) + pc;
            ++i;
        }
        const int ticks = lengthTicks(w, i, w);
        notes.push_back({key, ticks});
        now += ticks;
    }
    return notes;
}

int tuneBars(const Tune& tune) { return Arranger(tune).bars(); }

double tuneSeconds(const Tune& tune) { return tuneBars(tune) * tune.beatsPerBar * 60.0 / tune.bpm; }

std::vector<std::uint8_t> renderTune(const Tune& tune) { return Arranger(tune).render(); }

} // namespace soundgen
