#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "Effects.h"
#include "Readers.h"

using namespace soundgen;
using audiotest::readWave;

namespace {

const std::set<std::string> kCuesTheGamePlays = {
    "1.wav",     "no.wav",     "kan.wav",  "start.wav", "zuzu.wav",  "maku.wav",   "lineout.wav",
    "get.wav",   "awa.wav",    "awa2.wav", "orgol.wav", "ukiwa.wav", "gun.wav",    "damage.wav",
    "hit.wav",   "suisou.wav", "key.wav",  "coin.wav",  "esa.wav",   "up.wav",     "neji.wav",
    "buy.wav",   "baku.wav",   "ouen.wav", "ouen2.wav", "victory.wav", "lose.wav", "katan.wav"};

const SoundEffect& effect(const std::string& file)
{
    for (const auto& e : soundEffects())
        if (e.file == file) return e;
    throw std::out_of_range(file);
}

double rms(const audiotest::Wave& w)
{
    double sum = 0.0;
    for (double v : w.samples) sum += v * v;
    return std::sqrt(sum / double(w.samples.size()));
}

} // namespace

TEST(SoundEffects, ThereIsExactlyOneEffectForEveryCueTheGamePlays)
{
    std::set<std::string> made;
    for (const auto& e : soundEffects()) EXPECT_TRUE(made.insert(e.file).second) << e.file << " twice";
    EXPECT_EQ(made, kCuesTheGamePlays);
}

TEST(SoundEffects, EveryEffectIsAPcmWaveInItsOwnFormatThatStartsAndEndsInSilenceWithoutClipping)
{
    for (const auto& e : soundEffects()) {
        SCOPED_TRACE(e.file);
        const auto w = readWave(renderWave(e));
        EXPECT_EQ(w.formatTag, 1);
        EXPECT_EQ(w.channels, e.format.channels);
        EXPECT_EQ(w.rate, std::uint32_t(e.format.rate));
        EXPECT_EQ(w.bits, e.format.bits);
        EXPECT_EQ(w.blockAlign, w.channels * w.bits / 8);
        EXPECT_EQ(w.byteRate, w.rate * w.blockAlign);

        EXPECT_GE(w.seconds(), 0.02);
        EXPECT_LE(w.seconds(), 3.2);
        EXPECT_LT(w.extremes, 2) << "samples pinned at full scale";
        EXPECT_GT(rms(w), 0.01) << "too quiet to hear";

        // Faded ends: the mixer starts and stops each play abruptly.
        const double step = w.bits == 8 ? 1.5 / 128 : 0.002;
        for (std::size_t c = 0; c < w.channels; ++c) {
            EXPECT_LE(std::abs(w.samples[c]), step);
            EXPECT_LE(std::abs(w.samples[w.samples.size() - w.channels + c]), step);
        }
    }
}

TEST(SoundEffects, TheReelClickFitsBetweenTwoTicksOfTheReel)
{
    // Queued on every 0.1 s tick while the player reels; a longer click
    // would pile up behind itself.
    const auto w = readWave(renderWave(effect("maku.wav")));
    EXPECT_LE(w.seconds(), 0.120);
}

TEST(SoundEffects, ShortCuesAreShortAndFanfaresTakeTheirTime)
{
    EXPECT_LE(readWave(renderWave(effect("1.wav"))).seconds(), 0.15);
    EXPECT_LE(readWave(renderWave(effect("key.wav"))).seconds(), 0.1);  // plays on press and release
    EXPECT_GE(readWave(renderWave(effect("victory.wav"))).seconds(), 2.0);
    EXPECT_GE(readWave(renderWave(effect("get.wav"))).seconds(), 1.5);
}

TEST(SoundEffects, TheFormatsCoverEveryConversionTheMixerMakes)
{
    std::set<std::tuple<int, int, int>> seen;
    for (const auto& e : soundEffects()) seen.insert({e.format.bits, e.format.channels, e.format.rate});
    for (int bits : {8, 16})
        for (int channels : {1, 2})
            for (int rate : {11025, 22050, 44100})
                EXPECT_TRUE(seen.count({bits, channels, rate})) << bits << " bit, " << channels << " ch, " << rate;
}

TEST(SoundEffects, FilesStayModestInSize)
{
    std::size_t total = 0;
    for (const auto& e : soundEffects()) {
        const auto bytes = renderWave(e);
        EXPECT_LE(bytes.size(), 300u * 1024) << e.file;
        total += bytes.size();
    }
    EXPECT_LE(total, 3u * 1024 * 1024);
}

TEST(SoundEffects, RenderingTwiceGivesTheSameBytes)
{
    for (const char* file : {"awa.wav", "ouen.wav", "baku.wav"}) EXPECT_EQ(renderWave(effect(file)), renderWave(effect(file))) << file;
}

TEST(WaveEncoding, ScalesToThePeakAndKeepsOrFoldsTheSides)
{
    Mix mix(11025, 0.1);
    mix.add(tone(11025, 0.1, constant(440), Shape::Sine, constant(0.3)), 0.0, 1.0, -1.0);  // hard left

    auto peakOf = [](const audiotest::Wave& w, std::size_t channel) {
        double top = 0.0;
        for (std::size_t i = channel; i < w.samples.size(); i += w.channels) top = std::max(top, std::abs(w.samples[i]));
        return top;
    };
    const auto stereo = readWave(encodeWave(mix, {16, 2, 11025}, 0.5, 0.0, 0.0));
    EXPECT_NEAR(peakOf(stereo, 0), 0.5, 0.01);
    EXPECT_EQ(peakOf(stereo, 1), 0.0);

    const auto mono = readWave(encodeWave(mix, {8, 1, 11025}, 0.5, 0.0, 0.0));
    ASSERT_EQ(mono.channels, 1);
    EXPECT_NEAR(peakOf(mono, 0), 0.5, 0.01);
}

TEST(WaveEncoding, RefusesFormatsTheMixerCannotRead)
{
    Mix mix(22050, 0.01);
    EXPECT_THROW(encodeWave(mix, {24, 1, 22050}, 0.5), std::invalid_argument);
    EXPECT_THROW(encodeWave(mix, {16, 3, 22050}, 0.5), std::invalid_argument);
    EXPECT_THROW(encodeWave(mix, {16, 1, 11025}, 0.5), std::invalid_argument);  // rate of the mix differs
}
