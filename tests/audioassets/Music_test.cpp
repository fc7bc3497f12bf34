#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "Readers.h"
#include "Smf.h"
#include "Tunes.h"

using namespace soundgen;
using audiotest::readMidi;

namespace {

const Tune& tune(const std::string& file)
{
    for (const auto& t : tunes())
        if (t.file == file) return t;
    throw std::out_of_range(file);
}

} // namespace

TEST(Music, ThereIsOneTuneForEveryMusicFileTheGameOpens)
{
    std::set<std::string> made;
    for (const auto& t : tunes()) made.insert(t.file);
    EXPECT_EQ(made, (std::set<std::string>{"op.mid", "p1.mid", "p2.mid", "p3.mid", "p4.mid", "p5.mid",
                                           "phan.mid", "race2.mid"}));
}

TEST(Music, EveryTuneIsAWellFormedMultiTrackFileLastingHalfAMinuteToTwoMinutes)
{
    for (const auto& t : tunes()) {
        SCOPED_TRACE(t.file);
        const auto m = readMidi(renderTune(t));
        EXPECT_EQ(m.format, 1);
        EXPECT_EQ(m.division, kDivision);
        EXPECT_EQ(m.declaredTracks, m.tracks);
        EXPECT_GE(m.tracks, 4u);
        EXPECT_EQ(m.hangingNotes, 0);
        ASSERT_EQ(m.tempos.size(), 1u);
        EXPECT_GE(m.seconds(), 30.0);
        EXPECT_LE(m.seconds(), 120.0);
        EXPECT_NEAR(m.seconds(), tuneSeconds(t), 0.01);
        for (const auto& n : m.notes) EXPECT_GT(n.off, n.on);
    }
}

TEST(Music, NoKeyIsStruckAgainWhileItStillSounds)
{
    for (const auto& t : tunes()) {
        SCOPED_TRACE(t.file);
        auto notes = readMidi(renderTune(t)).notes;
        std::sort(notes.begin(), notes.end(), [](const auto& a, const auto& b) {
            return std::tie(a.channel, a.key, a.on) < std::tie(b.channel, b.key, b.on);
        });
        int overlaps = 0;
        for (std::size_t i = 1; i < notes.size(); ++i)
            if (notes[i].channel == notes[i - 1].channel && notes[i].key == notes[i - 1].key
                && notes[i].on < notes[i - 1].off)
                ++overlaps;
        EXPECT_EQ(overlaps, 0);
    }
}

TEST(MidiWriter, ARepeatedKeyCutsTheNoteStillSounding)
{
    SmfTrack track;
    track.note(0, 500, 3, 64, 90);
    track.note(240, 480, 3, 64, 90);
    const auto m = readMidi(writeSmf({track}, 480, 0));
    ASSERT_EQ(m.notes.size(), 2u);
    EXPECT_EQ(m.notes[0].on, 0u);
    EXPECT_EQ(m.notes[0].off, 240u);
    EXPECT_EQ(m.notes[1].on, 240u);
}

TEST(Music, EveryMelodicChannelChoosesItsInstrumentAndDrumsStayOnChannelTen)
{
    for (const auto& t : tunes()) {
        SCOPED_TRACE(t.file);
        const auto m = readMidi(renderTune(t));
        std::set<int> channels;
        for (const auto& n : m.notes) channels.insert(n.channel);
        for (int c : channels) {
            if (c != 9) {
                EXPECT_TRUE(m.programs.count(c)) << "channel " << c + 1;
            }
        }
        EXPECT_EQ(channels.count(9) == 1, t.drums != DrumStyle::None);
        EXPECT_TRUE(channels.count(0)) << "no melody";
        EXPECT_TRUE(channels.count(2)) << "no bass";
    }
}

TEST(Music, MelodiesDevelopRatherThanRepeatOneShortPhrase)
{
    for (const auto& t : tunes()) {
        SCOPED_TRACE(t.file);
        const auto m = readMidi(renderTune(t));
        const std::uint32_t bar = std::uint32_t(t.beatsPerBar * kDivision);
        std::map<std::uint32_t, std::vector<int>> bars;
        for (const auto& n : m.notes)
            if (n.channel == 0) bars[n.on / bar].push_back(n.key);
        std::set<std::vector<int>> distinct;
        for (const auto& [index, keys] : bars) distinct.insert(keys);
        EXPECT_GE(distinct.size(), 14u);
    }
}

TEST(Music, TheRaceRunsFasterThanAnyFieldTune)
{
    for (const auto& t : tunes()) {
        if (t.file != "race2.mid") {
            EXPECT_LT(t.bpm, tune("race2.mid").bpm) << t.file;
        }
    }
}

TEST(MelodyNotation, LengthsAddUpAndDotsLengthenTheNoteBeforeThem)
{
    const auto notes = parseMelody("C4q. D#5e Bb3s rq.s | G5w", 4);
    ASSERT_EQ(notes.size(), 5u);
    EXPECT_EQ(notes[0], std::make_pair(60, 720));
    EXPECT_EQ(notes[1], std::make_pair(75, 240));
    EXPECT_EQ(notes[2], std::make_pair(58, 120));
    EXPECT_EQ(notes[3], std::make_pair(-1, 840));
    EXPECT_EQ(notes[4], std::make_pair(79, 1920));
}

TEST(MelodyNotation, RejectsBarLinesOffTheBarAndUnknownTokens)
{
    EXPECT_THROW(parseMelody("C5q | D5q", 4), std::invalid_argument);
    EXPECT_THROW(parseMelody("H5q", 4), std::invalid_argument);
    EXPECT_THROW(parseMelody("C5x", 4), std::invalid_argument);
    EXPECT_THROW(parseMelody("C5", 4), std::invalid_argument);
    EXPECT_NO_THROW(parseMelody("C5h. | D5h.", 3));
}

TEST(MidiWriter, LongGapsSurviveTheVariableLengthDeltas)
{
    SmfTrack track;
    track.note(0, 3, 0, 60, 100);
    track.note(200000, 200480, 0, 62, 100);  // a delta that needs three bytes
    const auto m = readMidi(writeSmf({track}, 480, 0));
    ASSERT_EQ(m.notes.size(), 2u);
    EXPECT_EQ(m.notes[1].on, 200000u);
    EXPECT_EQ(m.notes[1].off, 200480u);
    EXPECT_EQ(m.endTick, 200480u);
}

TEST(MidiWriter, ANoteThatEndsBeforeItStartsIsRefused)
{
    SmfTrack track;
    EXPECT_THROW(track.note(10, 10, 0, 60, 100), std::invalid_argument);
}
