#include "Smf.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <tuple>

namespace soundgen {

namespace {

void putVarLen(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    std::uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7f;
    while (v >>= 7) buf[n++] = std::uint8_t(0x80 | (v & 0x7f));
    while (n) out.push_back(buf[--n]);
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int s = 24; s >= 0; s -= 8) out.push_back(std::uint8_t(v >> s));
}

std::uint8_t clamp7(int v) { return std::uint8_t(std::clamp(v, 0, 127)); }

std::vector<std::uint8_t> meta(std::uint8_t type, const std::vector<std::uint8_t>& body)
{
    std::vector<std::uint8_t> d = {0xff, type};
    putVarLen(d, std::uint32_t(body.size()));
    d.insert(d.end(), body.begin(), body.end());
    return d;
}

} // namespace

void SmfTrack::push(std::uint32_t tick, int order, std::vector<std::uint8_t> data)
{
    events_.push_back({tick, order, std::move(data)});
}

void SmfTrack::name(std::uint32_t tick, const std::string& text)
{
    push(tick, 0, meta(0x03, std::vector<std::uint8_t>(text.begin(), text.end())));
}

void SmfTrack::tempo(std::uint32_t tick, double bpm)
{
    const auto us = std::uint32_t(std::lround(60000000.0 / bpm));
    push(tick, 0, meta(0x51, {std::uint8_t(us >> 16), std::uint8_t(us >> 8), std::uint8_t(us)}));
}

void SmfTrack::timeSignature(std::uint32_t tick, int beats, int denominator)
{
    std::uint8_t power = 0;
    while ((1 << power) < denominator) ++power;
    push(tick, 0, meta(0x58, {std::uint8_t(beats), power, 24, 8}));
}

void SmfTrack::program(std::uint32_t tick, int channel, int program)
{
    push(tick, 0, {std::uint8_t(0xc0 | channel), clamp7(program)});
}

void SmfTrack::control(std::uint32_t tick, int channel, int controller, int value)
{
    push(tick, 0, {std::uint8_t(0xb0 | channel), clamp7(controller), clamp7(value)});
}

void SmfTrack::note(std::uint32_t on, std::uint32_t off, int channel, int key, int velocity)
{
    if (off <= on) throw std::invalid_argument("note ends before it starts");
    notes_.push_back({on, off, channel, key, velocity});
}

std::uint32_t SmfTrack::lastTick() const
{
    std::uint32_t last = 0;
    for (const auto& e : events_) last = std::max(last, e.tick);
    for (const auto& n : notes_) last = std::max(last, n.off);
    return last;
}

std::vector<std::uint8_t> SmfTrack::chunk(std::uint32_t end) const
{
    std::vector<Event> sorted = events_;
    // Overlapping strikes of one key would leave the synthesiser pairing the
    // wrong note-off with a note-on; end the earlier note where the next
    // begins.
    std::vector<Note> notes = notes_;
    std::stable_sort(notes.begin(), notes.end(), [](const Note& a, const Note& b) {
        return std::tie(a.channel, a.key, a.on) < std::tie(b.channel, b.key, b.on);
    });
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const Note& n = notes[i];
        std::uint32_t off = n.off;
        if (i + 1 < notes.size() && notes[i + 1].channel == n.channel && notes[i + 1].key == n.key)
            off = std::min(off, notes[i + 1].on);
        if (off <= n.on) continue;  // struck twice at once: keep one
        sorted.push_back({n.on, 2, {std::uint8_t(0x90 | n.channel), clamp7(n.key), std::uint8_t(std::clamp(n.velocity, 1, 127))}});
        sorted.push_back({off, 1, {std::uint8_t(0x80 | n.channel), clamp7(n.key), 64}});
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> body;
    std::uint32_t now = 0;
    for (const auto& e : sorted) {
        putVarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.data.begin(), e.data.end());
    }
    putVarLen(body, std::max(end, now) - now);
    body.insert(body.end(), {0xff, 0x2f, 0x00});

    std::vector<std::uint8_t> out = {'M', 'T', 'r', 'k'};
    put32(out, std::uint32_t(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<std::uint8_t> writeSmf(const std::vector<SmfTrack>& tracks, int division, std::uint32_t end)
{
    std::vector<std::uint8_t> out = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
    out.push_back(std::uint8_t(tracks.size() >> 8));
    out.push_back(std::uint8_t(tracks.size()));
    out.push_back(std::uint8_t(division >> 8));
    out.push_back(std::uint8_t(division));
    for (const auto& t : tracks) {
        const auto c = t.chunk(end);
        out.insert(out.end(), c.begin(), c.end());
    }
    return out;
}

} // namespace soundgen
