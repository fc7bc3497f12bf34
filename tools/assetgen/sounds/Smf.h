// A small Standard MIDI File writer: format 1, one chunk per track.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

class SmfTrack {
public:
    void name(std::uint32_t tick, const std::string& text);
    void tempo(std::uint32_t tick, double bpm);
    void timeSignature(std::uint32_t tick, int beats, int denominator);
    void program(std::uint32_t tick, int channel, int program);
    void control(std::uint32_t tick, int channel, int controller, int value);
    // A note from `on` to `off` (ticks); velocity 1..127. A note that would
    // still sound when the same key is struck again is cut at that strike.
    void note(std::uint32_t on, std::uint32_t off, int channel, int key, int velocity);

    std::uint32_t lastTick() const;
    // The MTrk chunk, closed by an end-of-track event at `end` or at the last
    // event, whichever is later.
    std::vector<std::uint8_t> chunk(std::uint32_t end) const;

private:
    struct Event {
        std::uint32_t tick;
        int order;  // settings first, then note-offs, then note-ons
        std::vector<std::uint8_t> data;
    };
    struct Note {
        std::uint32_t on, off;
        int channel, key, velocity;
    };
    void push(std::uint32_t tick, int order, std::vector<std::uint8_t> data);
    std::vector<Event> events_;
    std::vector<Note> notes_;
};

std::vector<std::uint8_t> writeSmf(const std::vector<SmfTrack>& tracks, int division, std::uint32_t end);

} // namespace soundgen
