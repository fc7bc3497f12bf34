#include "Dsp.h"

#include <algorithm>
#include <cmath>

namespace soundgen {

namespace {

constexpr double kTwoPi = 6.283185307179586;

// Smooths the jump of a naive saw or square so high notes at 11 kHz do not
// fold back into harsh aliases.
double polyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

std::size_t frames(int rate, double seconds)
{
    return static_cast<std::size_t>(std::max(0.0, seconds) * rate + 0.5);
}

} // namespace

std::uint32_t Rng::next()
{
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

double Rng::uniform() { return (next() >> 8) * (1.0 / 16777216.0); }

Curve constant(double v)
{
    return [v](double) { return v; };
}

Curve glide(double a, double b, double seconds)
{
    return [=](double t) { return t >= seconds ? b : a + (b - a) * (t / seconds); };
}

Curve expGlide(double a, double b, double seconds)
{
    return [=](double t) { return t >= seconds ? b : a * std::pow(b / a, t / seconds); };
}

Curve percussive(double attack, double decay)
{
    return [=](double t) {
        if (t < attack) return t / attack;
        return std::exp(-(t - attack) / decay);
    };
}

Curve adsr(double attack, double decay, double sustain, double release, double length)
{
    return [=](double t) {
        double g;
        if (t < attack) g = t / attack;
        else if (t < attack + decay) g = 1.0 - (1.0 - sustain) * (t - attack) / decay;
        else g = sustain;
        if (t > length - release) g *= std::max(0.0, (length - t) / release);
        return g;
    };
}

Signal tone(int rate, double seconds, const Curve& freq, Shape shape, const Curve& env)
{
    Signal out(frames(rate, seconds));
    double phase = 0.0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / rate;
        const double dt = std::min(0.45, freq(t) / rate);
        double v = 0.0;
        switch (shape) {
        case Shape::Sine: v = std::sin(kTwoPi * phase); break;
        case Shape::Saw: v = 2.0 * phase - 1.0 - polyBlep(phase, dt); break;
        case Shape::Triangle: v = 4.0 * std::abs(phase - 0.5) - 1.0; break;
        case Shape::Square:
        case Shape::Pulse25: {
            const double width = shape == Shape::Pulse25 ? 0.25 : 0.5;
            v = phase < width ? 1.0 : -1.0;
            v += polyBlep(phase, dt);
            v -= polyBlep(std::fmod(phase + 1.0 - width, 1.0), dt);
            v -= 2.0 * width - 1.0;  // a narrow pulse is off-centre
            break;
        }
        }
        out[i] = float(v * env(t));
        phase += dt;
        if (phase >= 1.0) phase -= 1.0;
    }
    return out;
}

Signal bell(int rate, double seconds, double freq, double ratio, double index, double decay)
{
    Signal out(frames(rate, seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / rate;
        const double fade = std::exp(-t / decay);
        const double mod = index * std::exp(-t / (decay * 0.4)) * std::sin(kTwoPi * freq * ratio * t);
        const double attack = std::min(1.0, t / 0.002);
        out[i] = float(attack * fade * std::sin(kTwoPi * freq * t + mod));
    }
    return out;
}

Signal tine(int rate, double seconds, double freq, double decay)
{
    // Partials of a clamped bar, each dying faster than the one below.
    static constexpr double kRatio[] = {1.0, 2.76, 5.40, 8.93};
    static constexpr double kGain[] = {1.0, 0.35, 0.12, 0.05};
    Signal out(frames(rate, seconds));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = double(i) / rate;
        double v = 0.0;
        for (int k = 0; k < 4; ++k) {
            const double f = freq * kRatio[k];
            if (f >= rate * 0.45) break;
            v += kGain[k] * std::exp(-t * (k + 1) / decay) * std::sin(kTwoPi * f * t);
        }
        out[i] = float(v * std::min(1.0, t / 0.001));
    }
    return out;
}

Signal noise(int rate, double seconds, Rng& rng)
{
    Signal out(frames(rate, seconds));
    for (auto& v : out) v = float(rng.bipolar());
    return out;
}

void applyEnvelope(Signal& s, int rate, const Curve& env)
{
    for (std::size_t i = 0; i < s.size(); ++i) s[i] = float(s[i] * env(double(i) / rate));
}

void lowpass(Signal& s, int rate, double cutoff)
{
    const double a = 1.0 - std::exp(-kTwoPi * cutoff / rate);
    double y = 0.0;
    for (auto& v : s) {
        y += a * (v - y);
        v = float(y);
    }
}

void highpass(Signal& s, int rate, double cutoff)
{
    const double a = 1.0 - std::exp(-kTwoPi * cutoff / rate);
    double low = 0.0;
    for (auto& v : s) {
        low += a * (v - low);
        v = float(v - low);
    }
}

void resonant(Signal& s, int rate, const Curve& cutoff, double q, Band band)
{
    // Trapezoidal state-variable filter: stays stable with a moving cutoff
    // right up to the top of the band.
    double ic1 = 0.0, ic2 = 0.0;
    const double k = 1.0 / q;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double fc = std::clamp(cutoff(double(i) / rate), 20.0, rate * 0.45);
        const double g = std::tan(3.141592653589793 * fc / rate);
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double a2 = g * a1;
        const double a3 = g * a2;
        const double v3 = s[i] - ic2;
        const double v1 = a1 * ic1 + a2 * v3;
        const double v2 = ic2 + a2 * ic1 + a3 * v3;
        ic1 = 2.0 * v1 - ic1;
        ic2 = 2.0 * v2 - ic2;
        switch (band) {
        case Band::Low: s[i] = float(v2); break;
        case Band::Band: s[i] = float(v1); break;
        case Band::High: s[i] = float(s[i] - k * v1 - v2); break;
        }
    }
}

void saturate(Signal& s, double drive)
{
    const double norm = std::tanh(drive);
    for (auto& v : s) v = float(std::tanh(drive * v) / norm);
}

Mix::Mix(int rate, double seconds) : rate_(rate), left_(frames(rate, seconds)), right_(left_.size()) {}

void Mix::add(const Signal& s, double at, double gain, double pan)
{
    const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * 0.25 * 3.141592653589793;
    const double gl = gain * std::cos(angle) * 1.41421356;
    const double gr = gain * std::sin(angle) * 1.41421356;
    const std::size_t start = frames(rate_, at);
    // Voices are cut to a fixed length; ramp the last few milliseconds so a
    // cut that is still ringing does not click.
    const std::size_t tail = std::max<std::size_t>(1, std::min(s.size() / 4, frames(rate_, 0.006)));
    for (std::size_t i = 0; i < s.size() && start + i < left_.size(); ++i) {
        const double ramp = std::min(1.0, double(s.size() - i) / double(tail));
        left_[start + i] += float(s[i] * gl * ramp);
        right_[start + i] += float(s[i] * gr * ramp);
    }
}

void Mix::echo(double delaySeconds, double feedback, double wet)
{
    const std::size_t d = frames(rate_, delaySeconds);
    if (d == 0) return;
    Signal l = left_, r = right_;
    // Cross-fed so the echo wanders between the sides.
    for (std::size_t i = d; i < l.size(); ++i) {
        l[i] += float(feedback * r[i - d]);
        r[i] += float(feedback * l[i - d]);
    }
    for (std::size_t i = 0; i < l.size(); ++i) {
        left_[i] = float(left_[i] * (1.0 - wet) + l[i] * wet);
        right_[i] = float(right_[i] * (1.0 - wet) + r[i] * wet);
    }
}

} // namespace soundgen
