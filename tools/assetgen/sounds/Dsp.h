// Small synthesis kit for the sound effects: oscillators, envelopes, noise,
// filters and a stereo mixing canvas. Everything works on float samples in
// -1..1 at one sample rate per effect.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace soundgen {

using Signal = std::vector<float>;
using Curve = std::function<double(double)>;  // seconds -> value

// Deterministic noise source so every build writes identical files.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
    std::uint32_t next();
    double uniform();                       // 0..1
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    double bipolar() { return range(-1.0, 1.0); }

private:
    std::uint32_t state_;
};

enum class Shape { Sine, Triangle, Square, Saw, Pulse25 };

Curve constant(double v);
// Linear glide from a to b over the given time, then held.
Curve glide(double a, double b, double seconds);
// Exponential glide (even in pitch) from a to b.
Curve expGlide(double a, double b, double seconds);

// Envelopes return gain 0..1 for a time in seconds.
Curve percussive(double attack, double decay);
Curve adsr(double attack, double decay, double sustain, double release, double length);

// A band-limited oscillator following a frequency curve.
Signal tone(int rate, double seconds, const Curve& freq, Shape shape, const Curve& env);
// Two-operator FM: a bell or metal partial whose brightness fades with time.
Signal bell(int rate, double seconds, double freq, double ratio, double index, double decay);
// A plucked tine: a few inharmonic sine partials with staggered decays.
Signal tine(int rate, double seconds, double freq, double decay);
Signal noise(int rate, double seconds, Rng& rng);

void applyEnvelope(Signal& s, int rate, const Curve& env);
void lowpass(Signal& s, int rate, double cutoff);   // one pole
void highpass(Signal& s, int rate, double cutoff);  // one pole
// Resonant state-variable filter whose centre may move over time.
enum class Band { Low, Band, High };
void resonant(Signal& s, int rate, const Curve& cutoff, double q, Band band);
// Soft saturation for growl and body.
void saturate(Signal& s, double drive);

// A stereo canvas that voices are dropped onto.
class Mix {
public:
    Mix(int rate, double seconds);
    int rate() const { return rate_; }
    // pan: -1 left .. +1 right, equal power.
    void add(const Signal& s, double at, double gain = 1.0, double pan = 0.0);
    // A short feedback echo for space; applied in place.
    void echo(double delaySeconds, double feedback, double wet);
    const Signal& left() const { return left_; }
    const Signal& right() const { return right_; }

private:
    int rate_;
    Signal left_, right_;
};

} // namespace soundgen
