// Independent readers for the files the sound generator writes, so the tests
// check the bytes against the file formats rather than against the writer.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace audiotest {

using Bytes = std::vector<std::uint8_t>;

inline std::uint32_t le32(const Bytes& b, std::size_t at)
{
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | std::uint32_t(b.at(at + 3)) << 24;
}
inline std::uint16_t le16(const Bytes& b, std::size_t at) { return std::uint16_t(b.at(at) | b.at(at + 1) << 8); }
inline std::uint32_t be32(const Bytes& b, std::size_t at)
{
    return std::uint32_t(b.at(at)) << 24 | b.at(at + 1) << 16 | b.at(at + 2) << 8 | b.at(at + 3);
}
inline std::uint16_t be16(const Bytes& b, std::size_t at) { return std::uint16_t(b.at(at) << 8 | b.at(at + 1)); }
inline std::string tag(const Bytes& b, std::size_t at) { return std::string(b.begin() + long(at), b.begin() + long(at) + 4); }

struct Wave {
    std::uint16_t formatTag = 0, channels = 0, blockAlign = 0, bits = 0;
    std::uint32_t rate = 0, byteRate = 0;
    std::vector<double> samples;  // interleaved, -1..1
    int extremes = 0;             // longest run of samples at full scale

    double seconds() const { return double(samples.size()) / channels / rate; }
};

// Walks the RIFF chunks; throws on any structural fault.
inline Wave readWave(const Bytes& b)
{
    if (b.size() < 12 || tag(b, 0) != "RIFF" || tag(b, 8) != "WAVE") throw std::runtime_error("not RIFF WAVE");
    if (le32(b, 4) + 8 != b.size()) throw std::runtime_error("RIFF size does not match the file");
    Wave w;
    bool haveFormat = false, haveData = false;
    for (std::size_t at = 12; at < b.size();) {
        const std::string id = tag(b, at);
        const std::uint32_t size = le32(b, at + 4);
        const std::size_t body = at + 8;
        if (body + size > b.size()) throw std::runtime_error("chunk runs past the end: " + id);
        if (id == "fmt ") {
            if (size < 16) throw std::runtime_error("short fmt chunk");
            w.formatTag = le16(b, body);
            w.channels = le16(b, body + 2);
            w.rate = le32(b, body + 4);
            w.byteRate = le32(b, body + 8);
            w.blockAlign = le16(b, body + 12);
            w.bits = le16(b, body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) throw std::runtime_error("data before fmt");
            if (w.bits != 8 && w.bits != 16) throw std::runtime_error("unexpected bit depth");
            if (w.blockAlign == 0 || size % w.blockAlign) throw std::runtime_error("data is not whole frames");
            int run = 0;
            const std::size_t step = w.bits / 8;
            for (std::size_t i = body; i + step <= body + size; i += step) {
                double v;
                bool extreme;
                if (w.bits == 8) {
                    v = (b[i] - 128) / 128.0;
                    extreme = b[i] == 0 || b[i] == 255;
                } else {
                    const auto s = std::int16_t(le16(b, i));
                    v = s / 32768.0;
                    extreme = s == 32767 || s == -32768;
                }
                run = extreme ? run + 1 : 0;
                w.extremes = std::max(w.extremes, run);
                w.samples.push_back(v);
            }
            haveData = true;
        }
        at = body + size + (size & 1);
    }
    if (!haveFormat || !haveData) throw std::runtime_error("missing fmt or data");
    return w;
}

struct MidiNote {
    int track, channel, key;
    std::uint32_t on, off;
};

struct Midi {
    int format = -1, division = 0;
    std::size_t declaredTracks = 0, tracks = 0;
    std::vector<MidiNote> notes;
    std::map<int, int> programs;                       // channel -> program
    std::vector<std::pair<std::uint32_t, std::uint32_t>> tempos;  // tick, microseconds per quarter
    std::uint32_t endTick = 0;                         // latest end-of-track
    int hangingNotes = 0;

    double seconds() const
    {
        double s = 0.0, usPerQuarter = 500000.0;
        std::uint32_t from = 0;
        for (const auto& [tick, us] : tempos) {
            if (tick >= endTick) break;
            s += double(tick - from) * usPerQuarter / division / 1e6;
            from = tick;
            usPerQuarter = us;
        }
        return s + double(endTick - from) * usPerQuarter / division / 1e6;
    }
};

// Reads every event of every track; throws when a chunk's length does not
// match its events or a track lacks its end-of-track event.
inline Midi readMidi(const Bytes& b)
{
    if (b.size() < 14 || tag(b, 0) != "MThd" || be32(b, 4) != 6) throw std::runtime_error("no MThd header");
    Midi m;
    m.format = be16(b, 8);
    m.declaredTracks = be16(b, 10);
    m.division = be16(b, 12);
    if (m.division & 0x8000) throw std::runtime_error("SMPTE timing not expected");
    for (std::size_t at = 14; at < b.size();) {
        if (tag(b, at) != "MTrk") throw std::runtime_error("expected MTrk");
        const std::uint32_t len = be32(b, at + 4);
        const std::size_t end = at + 8 + len;
        if (end > b.size()) throw std::runtime_error("track runs past the end");
        const int track = int(m.tracks++);
        std::size_t i = at + 8;
        std::uint32_t now = 0;
        std::uint8_t status = 0;
        bool ended = false;
        std::map<std::pair<int, int>, std::vector<std::uint32_t>> open;
        auto varLen = [&]() {
            std::uint32_t v = 0;
            for (int n = 0;; ++n) {
                if (i >= end || n == 4) throw std::runtime_error("bad variable length");
                const std::uint8_t c = b[i++];
                v = v << 7 | (c & 0x7f);
                if (!(c & 0x80)) return v;
            }
        };
        while (i < end) {
            if (ended) throw std::runtime_error("events after end of track");
            now += varLen();
            if (b.at(i) & 0x80) status = b[i++];
            else if (!status) throw std::runtime_error("running status with no status");
            if (status == 0xff) {
                const std::uint8_t type = b.at(i++);
                const std::uint32_t n = varLen();
                if (i + n > end) throw std::runtime_error("meta event runs past the track");
                if (type == 0x2f) {
                    ended = true;
                    m.endTick = std::max(m.endTick, now);
                }
                if (type == 0x51 && n == 3) m.tempos.push_back({now, std::uint32_t(b[i] << 16 | b[i + 1] << 8 | b[i + 2])});
                i += n;
                status = 0;
                continue;
            }
            if (status == 0xf0 || status == 0xf7) {
                i += varLen();
                status = 0;
                continue;
            }
            const int kind = status & 0xf0, channel = status & 0x0f;
            const int size = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
            if (i + std::size_t(size) > end) throw std::runtime_error("channel event runs past the track");
            const int d1 = b[i], d2 = size == 2 ? b[i + 1] : 0;
            if ((d1 | d2) & 0x80) throw std::runtime_error("data byte with the top bit set");
            i += std::size_t(size);
            if (kind == 0xc0) m.programs[channel] = d1;
            if (kind == 0x90 && d2 > 0) open[{channel, d1}].push_back(now);
            if (kind == 0x80 || (kind == 0x90 && d2 == 0)) {
                auto& started = open[{channel, d1}];
                if (started.empty()) throw std::runtime_error("note off without note on");
                m.notes.push_back({track, channel, d1, started.front(), now});
                started.erase(started.begin());
            }
        }
        if (i != end) throw std::runtime_error("track length does not match its events");
        if (!ended) throw std::runtime_error("track without end-of-track");
        for (const auto& [key, starts] : open) m.hangingNotes += int(starts.size());
        at = end;
    }
    return m;
}

} // namespace audiotest
