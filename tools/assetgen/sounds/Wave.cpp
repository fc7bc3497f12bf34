#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace soundgen {

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(std::uint8_t(v & 0xff));
    out.push_back(std::uint8_t((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char* tag)
{
    for (int i = 0; i < 4; ++i) out.push_back(std::uint8_t(tag[i]));
}

} // namespace

std::vector<std::uint8_t> encodeWave(const Mix& mix, const WaveFormat& format, double peak,
                                     double fadeIn, double fadeOut)
{
    if ((format.bits != 8 && format.bits != 16) || (format.channels != 1 && format.channels != 2)
        || format.rate != mix.rate())
        throw std::invalid_argument("unsupported wave format");

    const std::size_t n = mix.left().size();
    std::vector<Signal> ch;
    if (format.channels == 2) {
        ch = {mix.left(), mix.right()};
    } else {
        Signal m(n);
        for (std::size_t i = 0; i < n; ++i) m[i] = 0.5f * (mix.left()[i] + mix.right()[i]);
        ch = {std::move(m)};
    }

    // Saturation and narrow pulses leave a little offset; take it out so
    // the faded ends settle on silence.
    for (auto& c : ch) highpass(c, format.rate, 12.0);

    float top = 0.0f;
    for (auto& c : ch)
        for (float v : c) top = std::max(top, std::abs(v));
    const double scale = top > 0.0f ? peak / top : 0.0;
    const double inFrames = std::max(1.0, fadeIn * format.rate);
    const double outFrames = std::max(1.0, fadeOut * format.rate);

    const std::uint32_t dataBytes = std::uint32_t(n * ch.size() * (format.bits / 8));
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes + 1);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes + (dataBytes & 1));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, unsigned(format.channels));
    put32(out, std::uint32_t(format.rate));
    const unsigned align = unsigned(format.channels * format.bits / 8);
    put32(out, std::uint32_t(format.rate) * align);
    put16(out, align);
    put16(out, unsigned(format.bits));
    putTag(out, "data");
    put32(out, dataBytes);

    for (std::size_t i = 0; i < n; ++i) {
        double gain = scale;
        gain *= std::min(1.0, double(i) / inFrames);
        gain *= std::min(1.0, double(n - 1 - i) / outFrames);
        for (auto& c : ch) {
            const double v = std::clamp(c[i] * gain, -1.0, 1.0);
            if (format.bits == 8)
                out.push_back(std::uint8_t(std::lround(v * 127.0) + 128));
            else
                put16(out, unsigned(std::uint16_t(std::int16_t(std::lround(v * 32767.0)))));
        }
    }
    if (dataBytes & 1) out.push_back(0);  // RIFF chunks are word aligned
    return out;
}

} // namespace soundgen
