#include "Effects.h"

#include <cmath>

namespace soundgen {

namespace {

double hz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

Signal sum(Signal a, const Signal& b, double gain = 1.0)
{
    if (a.size() < b.size()) a.resize(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) a[i] += float(b[i] * gain);
    return a;
}

Signal filteredNoise(int rate, double seconds, Rng& rng, double centre, double q, Band band,
                     const Curve& env)
{
    Signal s = noise(rate, seconds, rng);
    resonant(s, rate, constant(centre), q, band);
    applyEnvelope(s, rate, env);
    return s;
}

// One bubble: a short sine whose pitch rises as it closes.
Signal bubble(int rate, double f0, double decay)
{
    const double len = decay * 6.0;
    return tone(rate, len, expGlide(f0, f0 * 1.7, len), Shape::Sine, percussive(0.002, decay));
}

// A soft brass voice: two detuned saws through a filter that opens with the
// note.
Signal brass(int rate, double f, double len, double vibrato = 0.0)
{
    const Curve env = adsr(0.025, 0.1, 0.75, 0.09, len);
    const Curve pitch = [=](double t) {
        const double depth = vibrato * std::min(1.0, std::max(0.0, (t - 0.25) / 0.3));
        return f * (1.0 + depth * std::sin(6.283185 * 5.5 * t));
    };
    Signal a = tone(rate, len, pitch, Shape::Saw, env);
    const Curve pitch2 = [=](double t) { return pitch(t) * 1.004; };
    a = sum(a, tone(rate, len, pitch2, Shape::Saw, env), 0.8);
    resonant(a, rate, [=](double t) { return 350.0 + 2600.0 * env(t); }, 1.2, Band::Low);
    return a;
}

// ---- interface cues -------------------------------------------------------

Mix click(int rate)
{
    Rng rng(11);
    Mix m(rate, 0.06);
    m.add(tone(rate, 0.05, constant(1400), Shape::Sine, percussive(0.0006, 0.007)), 0.0, 0.6);
    m.add(tone(rate, 0.05, constant(680), Shape::Sine, percussive(0.001, 0.012)), 0.0, 0.45);
    Signal tick = noise(rate, 0.02, rng);
    lowpass(tick, rate, 2500);
    applyEnvelope(tick, rate, percussive(0.0003, 0.003));
    m.add(tick, 0.0, 0.5);
    return m;
}

Mix refusal(int rate)
{
    Mix m(rate, 0.4);
    // "bu-bu": two low buzzes, the second a step lower.
    const double notes[][3] = {{0.0, 0.15, 155.0}, {0.19, 0.18, 123.0}};
    for (auto& n : notes) {
        const Curve env = adsr(0.006, 0.03, 0.8, 0.035, n[1]);
        Signal s = tone(rate, n[1], constant(n[2]), Shape::Saw, env);
        s = sum(s, tone(rate, n[1], constant(n[2] * 1.01), Shape::Square, env), 0.6);
        lowpass(s, rate, 1400);
        saturate(s, 1.5);
        m.add(s, n[0]);
    }
    return m;
}

Mix saveChime(int rate)
{
    Mix m(rate, 1.4);
    m.add(bell(rate, 1.2, hz(83), 2.0, 1.4, 0.45), 0.0, 0.7, -0.35);
    m.add(bell(rate, 1.2, hz(88), 2.0, 1.4, 0.5), 0.13, 0.8, 0.35);
    m.add(tine(rate, 1.1, hz(100), 0.35), 0.13, 0.2, 0.0);
    m.echo(0.09, 0.3, 0.25);
    return m;
}

Mix startJingle(int rate)
{
    Mix m(rate, 1.2);
    const int run[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) {
        const double at = i * 0.085;
        Signal s = tone(rate, 0.16, constant(hz(run[i])), Shape::Pulse25, adsr(0.004, 0.05, 0.5, 0.05, 0.16));
        resonant(s, rate, constant(3500), 0.7, Band::Low);
        m.add(s, at, 0.45, -0.4 + i * 0.25);
        m.add(bell(rate, 0.3, hz(run[i] + 12), 2.0, 0.7, 0.12), at, 0.15, 0.3);
    }
    const int chord[] = {84, 88, 91};
    for (int i = 0; i < 3; ++i) {
        const double len = 0.75;
        Signal s = tone(rate, len, constant(hz(chord[i])), Shape::Pulse25, adsr(0.005, 0.15, 0.45, 0.3, len));
        resonant(s, rate, constant(3500), 0.7, Band::Low);
        m.add(s, 0.36, 0.32, (i - 1) * 0.5);
        m.add(bell(rate, 0.8, hz(chord[i]), 3.0, 0.8, 0.25), 0.36, 0.22, (1 - i) * 0.5);
    }
    m.add(tone(rate, 0.7, constant(hz(48)), Shape::Triangle, adsr(0.005, 0.2, 0.5, 0.3, 0.7)), 0.36, 0.5);
    m.echo(0.12, 0.25, 0.2);
    return m;
}

Mix keyTick(int rate)
{
    Rng rng(17);
    Mix m(rate, 0.03);
    m.add(tone(rate, 0.03, constant(2600), Shape::Sine, percussive(0.0002, 0.004)), 0.0, 0.5);
    m.add(tone(rate, 0.03, constant(950), Shape::Sine, percussive(0.0005, 0.005)), 0.0, 0.4);
    Signal n = noise(rate, 0.01, rng);
    highpass(n, rate, 1500);
    lowpass(n, rate, 5000);
    applyEnvelope(n, rate, percussive(0.0002, 0.0015));
    m.add(n, 0.0, 0.4);
    return m;
}

Mix woodClunk(int rate)
{
    Rng rng(23);
    Mix m(rate, 0.4);
    // "ka": a light, dry knock.
    m.add(filteredNoise(rate, 0.08, rng, 1700, 8, Band::Band, percussive(0.0005, 0.018)), 0.0, 0.9);
    m.add(tone(rate, 0.06, constant(880), Shape::Sine, percussive(0.0005, 0.015)), 0.0, 0.35);
    // "tan": the heavier fall that follows.
    m.add(filteredNoise(rate, 0.2, rng, 620, 6, Band::Band, percussive(0.001, 0.04)), 0.1, 1.2);
    m.add(tone(rate, 0.25, expGlide(230, 170, 0.1), Shape::Sine, percussive(0.001, 0.06)), 0.1, 0.6);
    return m;
}

// ---- fishing --------------------------------------------------------------

Mix slurp(int rate)
{
    Rng rng(31);
    const double len = 0.75;
    Mix m(rate, len);
    // Three gulps, rising as the noodle-like slurp goes on.
    const Curve gate = [](double t) {
        const double g = std::sin(3.14159 * std::fmod(t * 5.0, 1.0));
        return g * g * std::min(1.0, t / 0.02) * std::min(1.0, (0.72 - t) / 0.12);
    };
    Signal air = noise(rate, len, rng);
    resonant(air, rate, [](double t) { return 500 + 1900 * t + 300 * std::sin(6.283 * 14 * t); }, 6, Band::Band);
    applyEnvelope(air, rate, gate);
    m.add(air, 0.0, 0.8);
    Signal voice = tone(rate, len, [](double t) { return 280 + 700 * t + 40 * std::sin(6.283 * 14 * t); },
                        Shape::Triangle, gate);
    lowpass(voice, rate, 1800);
    m.add(voice, 0.0, 0.5);
    return m;
}

Mix reelClick(int rate)
{
    Rng rng(37);
    Mix m(rate, 0.07);
    // Two pawl clicks of the ratchet, the second softer.
    for (int i = 0; i < 2; ++i) {
        const double at = i * 0.032;
        const double g = i == 0 ? 1.0 : 0.6;
        Signal n = noise(rate, 0.02, rng);
        highpass(n, rate, 1200);
        applyEnvelope(n, rate, percussive(0.0003, 0.0035));
        m.add(n, at, 0.6 * g);
        m.add(tone(rate, 0.025, constant(2300), Shape::Sine, percussive(0.0003, 0.005)), at, 0.4 * g);
    }
    return m;
}

Mix lineSnap(int rate)
{
    Rng rng(41);
    Mix m(rate, 0.7);
    Signal crack = noise(rate, 0.05, rng);
    highpass(crack, rate, 1500);
    lowpass(crack, rate, 5000);
    applyEnvelope(crack, rate, percussive(0.0002, 0.008));
    m.add(crack, 0.0, 1.0);
    // The freed line whips back: a falling twang.
    Signal twang = tone(rate, 0.45, expGlide(1100, 170, 0.25), Shape::Saw, percussive(0.001, 0.11));
    resonant(twang, rate, expGlide(4000, 350, 0.3), 2.0, Band::Low);
    m.add(twang, 0.005, 0.6);
    Signal whoosh = noise(rate, 0.6, rng);
    resonant(whoosh, rate, expGlide(2800, 400, 0.5), 3.0, Band::Band);
    applyEnvelope(whoosh, rate, percussive(0.03, 0.14));
    m.add(whoosh, 0.01, 0.5);
    return m;
}

Mix catchFanfare(int rate)
{
    Mix m(rate, 2.3);
    // ta-ta-ta-taa, ta-TAAA
    const double notes[][3] = {{0.00, 0.11, 67}, {0.13, 0.11, 67}, {0.26, 0.11, 67}, {0.40, 0.32, 72},
                               {0.76, 0.12, 67}, {0.90, 0.12, 72}};
    for (auto& n : notes) m.add(brass(rate, hz(n[2]), n[1]), n[0], 0.5, 0.15);
    const int chord[] = {72, 76, 79, 84};
    for (int i = 0; i < 4; ++i) m.add(brass(rate, hz(chord[i]), 1.1, 0.006), 1.05, 0.32, -0.45 + i * 0.3);
    m.add(tone(rate, 0.5, expGlide(hz(43), hz(42), 0.3), Shape::Sine, percussive(0.003, 0.15)), 0.40, 0.9);
    m.add(tone(rate, 1.0, expGlide(hz(36), hz(35.5), 0.4), Shape::Sine, percussive(0.003, 0.35)), 1.05, 1.0);
    m.add(bell(rate, 1.0, hz(96), 3.5, 1.0, 0.3), 1.05, 0.12, 0.5);
    m.echo(0.11, 0.25, 0.2);
    return m;
}

Mix bubblesSmall(int rate)
{
    Rng rng(43);
    Mix m(rate, 1.0);
    for (int i = 0; i < 9; ++i) {
        const double at = rng.range(0.0, 0.75);
        m.add(bubble(rate, rng.range(520, 1300), rng.range(0.015, 0.03)), at, rng.range(0.5, 1.0));
    }
    return m;
}

Mix bubblesLarge(int rate)
{
    Rng rng(47);
    Mix m(rate, 1.2);
    for (int i = 0; i < 7; ++i) {
        const double at = 0.04 + i * 0.13 + rng.range(-0.03, 0.03);
        m.add(bubble(rate, rng.range(240, 650), rng.range(0.03, 0.05)), at, rng.range(0.6, 1.0), rng.bipolar() * 0.7);
    }
    Signal gurgle = noise(rate, 1.2, rng);
    resonant(gurgle, rate, [](double t) { return 250 + 120 * std::sin(6.283 * 7 * t); }, 4, Band::Band);
    applyEnvelope(gurgle, rate, adsr(0.1, 0.3, 0.5, 0.5, 1.2));
    m.add(gurgle, 0.0, 0.5);
    return m;
}

Mix musicBox(int rate)
{
    Mix m(rate, 2.9);
    // A little phrase: G C E D | C B C, with the low tines marking the chords.
    const double melody[][2] = {{0.00, 79}, {0.24, 84}, {0.48, 88}, {0.72, 86},
                                {0.96, 84}, {1.20, 83}, {1.44, 84}};
    for (auto& n : melody) m.add(tine(rate, 1.4, hz(n[1]), 0.55), n[0], 0.6, (n[1] - 83) / 10.0);
    const double low[][2] = {{0.00, 60}, {0.00, 67}, {0.96, 62}, {0.96, 65}, {1.44, 60}, {1.44, 64}};
    for (auto& n : low) m.add(tine(rate, 1.4, hz(n[1] + 12), 0.7), n[0], 0.3, -0.3);
    m.echo(0.15, 0.2, 0.2);
    return m;
}

Mix floatPlop(int rate)
{
    Rng rng(53);
    Mix m(rate, 0.45);
    m.add(tone(rate, 0.25, expGlide(170, 520, 0.07), Shape::Sine, percussive(0.002, 0.045)), 0.0, 1.0);
    m.add(filteredNoise(rate, 0.25, rng, 1300, 1.2, Band::Band, percussive(0.004, 0.05)), 0.008, 0.45);
    m.add(bubble(rate, 1400, 0.012), 0.16, 0.35);
    m.add(bubble(rate, 1750, 0.01), 0.24, 0.25);
    return m;
}

Mix gunShot(int rate)
{
    Rng rng(59);
    Mix m(rate, 0.6);
    Signal crack = noise(rate, 0.1, rng);
    lowpass(crack, rate, 5000);
    applyEnvelope(crack, rate, percussive(0.0005, 0.018));
    m.add(crack, 0.0, 1.0);
    Signal body = noise(rate, 0.3, rng);
    lowpass(body, rate, 900);
    applyEnvelope(body, rate, percussive(0.002, 0.06));
    m.add(body, 0.0, 1.4);
    m.add(tone(rate, 0.3, expGlide(120, 45, 0.09), Shape::Sine, percussive(0.001, 0.07)), 0.0, 0.9);
    Signal tail = noise(rate, 0.6, rng);
    lowpass(tail, rate, 400);
    applyEnvelope(tail, rate, percussive(0.02, 0.17));
    m.add(tail, 0.0, 0.9);
    return m;
}

Mix hitThud(int rate)
{
    Rng rng(61);
    Mix m(rate, 0.3);
    m.add(tone(rate, 0.25, expGlide(190, 60, 0.07), Shape::Sine, percussive(0.001, 0.06)), 0.0, 1.0);
    m.add(filteredNoise(rate, 0.12, rng, 900, 1.5, Band::Band, percussive(0.001, 0.03)), 0.0, 0.9);
    m.add(tone(rate, 0.08, constant(95), Shape::Square, percussive(0.001, 0.02)), 0.0, 0.3);
    Signal all = m.left();
    saturate(all, 1.3);
    Mix out(rate, 0.3);
    out.add(all, 0.0);
    return out;
}

Mix biteAlert(int rate)
{
    Mix m(rate, 0.48);
    // "pi-PIN!": a short high beep, then a higher ringing one.
    Signal a = tone(rate, 0.08, constant(hz(84)), Shape::Square, adsr(0.003, 0.02, 0.7, 0.02, 0.08));
    lowpass(a, rate, 3500);
    m.add(a, 0.0, 0.5, -0.3);
    const Curve vib = [](double t) { return hz(91) * (1.0 + 0.012 * std::sin(6.283 * 9 * t)); };
    Signal b = tone(rate, 0.28, vib, Shape::Square, adsr(0.003, 0.06, 0.6, 0.12, 0.28));
    lowpass(b, rate, 3500);
    m.add(b, 0.1, 0.5, 0.3);
    m.add(tone(rate, 0.28, vib, Shape::Triangle, adsr(0.003, 0.06, 0.6, 0.12, 0.28)), 0.1, 0.4, 0.0);
    m.echo(0.07, 0.25, 0.25);
    return m;
}

// ---- tank, shop and race --------------------------------------------------

Mix tankBubbles(int rate)
{
    Rng rng(67);
    Mix m(rate, 1.5);
    for (int i = 0; i < 55; ++i) {
        const double at = rng.range(0.0, 1.4);
        m.add(bubble(rate, rng.range(800, 2300), rng.range(0.006, 0.014)), at, rng.range(0.2, 0.6),
              rng.bipolar() * 0.8);
    }
    Signal bed = noise(rate, 1.5, rng);
    lowpass(bed, rate, 320);
    lowpass(bed, rate, 320);
    applyEnvelope(bed, rate, [](double t) { return (0.6 + 0.4 * std::sin(6.283 * 3.3 * t)) * std::min(1.0, t / 0.15); });
    m.add(bed, 0.0, 1.6);
    return m;
}

Mix coins(int rate)
{
    Rng rng(71);
    Mix m(rate, 0.9);
    // The classic two-step coin ring, over a few small clinks.
    m.add(bell(rate, 0.1, hz(83), 2.0, 0.7, 0.05), 0.0, 0.5, -0.2);
    m.add(bell(rate, 0.8, hz(88), 2.0, 0.7, 0.2), 0.07, 0.6, 0.2);
    for (int i = 0; i < 4; ++i)
        m.add(tine(rate, 0.25, rng.range(1900, 2900), 0.05), rng.range(0.0, 0.25), 0.25, rng.bipolar() * 0.7);
    return m;
}

Mix feeding(int rate)
{
    Rng rng(73);
    Mix m(rate, 0.7);
    // A shake of the feed tin, then pellets dotting the water.
    Signal shake = noise(rate, 0.2, rng);
    resonant(shake, rate, constant(3200), 2.0, Band::Band);
    applyEnvelope(shake, rate, [](double t) {
        const double g = std::sin(6.283 * 22 * t);
        return g * g * std::min(1.0, t / 0.01) * std::max(0.0, 1.0 - t / 0.2);
    });
    m.add(shake, 0.0, 0.6);
    for (int i = 0; i < 10; ++i)
        m.add(bubble(rate, rng.range(1500, 3000), rng.range(0.005, 0.009)), rng.range(0.15, 0.58),
              rng.range(0.3, 0.7));
    return m;
}

Mix risingArpeggio(int rate)
{
    Mix m(rate, 0.75);
    const int notes[] = {72, 76, 79, 84, 88, 91};
    for (int i = 0; i < 6; ++i) {
        const double len = i == 5 ? 0.4 : 0.16;
        Signal s = tone(rate, len, constant(hz(notes[i])), Shape::Square, adsr(0.003, 0.04, 0.4, 0.08, len));
        lowpass(s, rate, 4000);
        s = sum(s, tone(rate, len, constant(hz(notes[i])), Shape::Triangle, adsr(0.003, 0.04, 0.6, 0.08, len)));
        m.add(s, i * 0.055, 0.4, -0.6 + i * 0.24);
    }
    m.echo(0.09, 0.3, 0.2);
    return m;
}

Mix shopDoor(int rate)
{
    Rng rng(79);
    Mix m(rate, 1.15);
    // The door's creak: an uneven, grinding low tone.
    const Curve creakPitch = [](double t) { return 105 + 25 * std::sin(6.283 * 3.1 * t) + 12 * std::sin(6.283 * 11.7 * t); };
    Signal creak = tone(rate, 0.38, creakPitch, Shape::Saw, adsr(0.05, 0.1, 0.7, 0.1, 0.38));
    resonant(creak, rate, constant(1100), 4.0, Band::Band);
    m.add(creak, 0.0, 0.5);
    // ...and the little bell over it.
    const double strikes[][2] = {{0.30, 96}, {0.37, 100}, {0.45, 96}, {0.55, 100}};
    double g = 1.0;
    for (auto& s : strikes) {
        m.add(bell(rate, 0.7, hz(s[1]), 1.41, 1.2, 0.22), s[0], 0.3 * g);
        g *= 0.75;
    }
    return m;
}

Mix register_(int rate)
{
    Rng rng(83);
    Mix m(rate, 1.0);
    for (double at : {0.0, 0.03}) {
        Signal k = noise(rate, 0.05, rng);
        lowpass(k, rate, 2500);
        applyEnvelope(k, rate, percussive(0.0005, 0.008));
        m.add(k, at, 0.6);
    }
    m.add(tone(rate, 0.12, expGlide(160, 110, 0.05), Shape::Sine, percussive(0.001, 0.03)), 0.03, 0.6);
    m.add(filteredNoise(rate, 0.15, rng, 650, 2.0, Band::Band, adsr(0.02, 0.05, 0.6, 0.06, 0.15)), 0.07, 0.3);
    // "ching"
    m.add(bell(rate, 0.85, hz(96), 2.0, 1.5, 0.3), 0.13, 0.45, -0.25);
    m.add(bell(rate, 0.85, hz(100), 2.0, 1.5, 0.3), 0.13, 0.4, 0.25);
    return m;
}

Mix startBang(int rate)
{
    Rng rng(89);
    Mix m(rate, 1.4);
    for (double pan : {-0.6, 0.6}) {
        Signal blast = noise(rate, 1.2, rng);
        resonant(blast, rate, expGlide(3200, 180, 0.6), 0.9, Band::Low);
        applyEnvelope(blast, rate, percussive(0.001, 0.22));
        m.add(blast, 0.0, 1.0, pan);
    }
    m.add(tone(rate, 0.9, expGlide(75, 34, 0.25), Shape::Sine, percussive(0.002, 0.28)), 0.0, 1.1);
    for (int i = 0; i < 12; ++i) {
        Signal c = noise(rate, 0.01, rng);
        lowpass(c, rate, 4500);
        applyEnvelope(c, rate, percussive(0.0002, 0.002));
        m.add(c, rng.range(0.02, 0.45), rng.range(0.15, 0.4), rng.bipolar());
    }
    m.echo(0.18, 0.3, 0.25);
    return m;
}

// A crowd voice shouting an open "aa" vowel.
Signal shout(int rate, Rng& rng, double len)
{
    const double f0 = rng.range(170, 330);
    const double rate5 = rng.range(4.5, 6.5);
    const Curve pitch = [=](double t) { return f0 * (1.0 + 0.25 * std::min(1.0, t / 0.2)) * (1.0 + 0.02 * std::sin(6.283 * rate5 * t)); };
    Signal src = tone(rate, len, pitch, Shape::Saw, adsr(0.08, 0.15, 0.75, 0.35, len));
    Signal f1 = src, f2 = src;
    resonant(f1, rate, constant(rng.range(750, 850)), 6, Band::Band);
    resonant(f2, rate, constant(rng.range(1150, 1300)), 7, Band::Band);
    return sum(f1, f2, 0.7);
}

Mix cheering(int rate)
{
    Rng rng(97);
    Mix m(rate, 1.4);
    for (int i = 0; i < 12; ++i) {
        const double len = rng.range(0.9, 1.25);
        m.add(shout(rate, rng, len), rng.range(0.0, 0.15), rng.range(0.5, 1.0), rng.bipolar() * 0.8);
    }
    Signal bed = noise(rate, 1.4, rng);
    resonant(bed, rate, constant(1000), 0.8, Band::Band);
    applyEnvelope(bed, rate, adsr(0.1, 0.2, 0.7, 0.5, 1.4));
    m.add(bed, 0.0, 0.4);
    return m;
}

Mix clapping(int rate)
{
    Rng rng(101);
    Mix m(rate, 1.4);
    for (int i = 0; i < 22; ++i) {
        Signal c = filteredNoise(rate, 0.08, rng, rng.range(1100, 1900), 2.0, Band::Band, percussive(0.001, 0.012));
        m.add(c, rng.range(0.0, 1.2), rng.range(0.4, 1.0), rng.bipolar() * 0.8);
    }
    // A slide whistle over the claps: up, a hold, and down.
    const Curve whistle = [](double t) {
        const double up = std::min(1.0, t / 0.15);
        const double down = std::max(0.0, (t - 0.35) / 0.2);
        return (1400 + 900 * up - 500 * down) * (1.0 + 0.01 * std::sin(6.283 * 7 * t));
    };
    m.add(tone(rate, 0.6, whistle, Shape::Sine, adsr(0.03, 0.05, 0.8, 0.12, 0.6)), 0.2, 0.35, 0.2);
    for (int i = 0; i < 4; ++i) m.add(shout(rate, rng, 0.9), rng.range(0.2, 0.4), 0.3, rng.bipolar() * 0.5);
    return m;
}

Mix victory(int rate)
{
    Rng rng(103);
    Mix m(rate, 3.0);
    const double lead[][3] = {{0.00, 0.12, 67}, {0.13, 0.12, 72}, {0.26, 0.12, 76}, {0.39, 0.45, 79},
                              {0.88, 0.14, 76}, {1.04, 0.14, 79}};
    for (auto& n : lead) m.add(brass(rate, hz(n[2]), n[1]), n[0], 0.45, 0.1);
    m.add(brass(rate, hz(48), 0.45), 0.39, 0.35, -0.2);
    m.add(brass(rate, hz(55), 0.45), 0.39, 0.3, 0.2);
    const int chord[] = {60, 64, 67, 72, 76, 84};
    for (int i = 0; i < 6; ++i) m.add(brass(rate, hz(chord[i]), 1.6, 0.007), 1.2, 0.26, -0.6 + i * 0.24);
    m.add(brass(rate, hz(36), 1.6), 1.2, 0.35);
    // Timpani: a stroke on the high note, a roll under the last chord.
    m.add(tone(rate, 0.6, constant(hz(43)), Shape::Sine, percussive(0.003, 0.2)), 0.39, 0.7);
    for (int i = 0; i < 22; ++i) {
        const double at = 1.2 + i * 0.055;
        const double g = 0.25 + 0.5 * i / 22.0;
        m.add(tone(rate, 0.3, constant(hz(36)), Shape::Sine, percussive(0.002, 0.12)), at, g);
    }
    m.add(tone(rate, 1.2, constant(hz(36)), Shape::Sine, percussive(0.003, 0.4)), 2.42, 0.9);
    Signal crash = noise(rate, 1.6, rng);
    highpass(crash, rate, 3500);
    applyEnvelope(crash, rate, percussive(0.002, 0.45));
    m.add(crash, 1.2, 0.25);
    m.echo(0.13, 0.25, 0.2);
    return m;
}

Mix sadSlide(int rate)
{
    Mix m(rate, 2.1);
    // wah, wah, wah, waaah: a muted horn stepping down, the last note sagging.
    const double notes[][3] = {{0.0, 0.36, 55}, {0.42, 0.36, 54}, {0.84, 0.36, 53}, {1.26, 0.8, 52}};
    for (int i = 0; i < 4; ++i) {
        const double len = notes[i][1];
        const double f = hz(notes[i][2]);
        const bool last = i == 3;
        const Curve pitch = [=](double t) {
            if (!last) return f;
            const double sag = std::pow(2.0, -std::max(0.0, t - 0.2) / 12.0);
            return f * sag * (1.0 + 0.02 * std::sin(6.283 * 6 * t) * std::min(1.0, t / 0.2));
        };
        const Curve env = adsr(0.03, 0.1, 0.8, last ? 0.3 : 0.08, len);
        Signal s = tone(rate, len, pitch, Shape::Saw, env);
        // The mute opening and closing over each note.
        resonant(s, rate, [=](double t) { return 300 + 1100 * std::sin(3.14159 * std::min(1.0, t / len)); }, 3.0, Band::Low);
        m.add(s, notes[i][0]);
    }
    return m;
}

} // namespace

const std::vector<SoundEffect>& soundEffects()
{
    static const std::vector<SoundEffect> table = {
        {"1.wav", {8, 1, 11025}, 0.55, click},
        {"no.wav", {16, 1, 11025}, 0.7, refusal},
        {"kan.wav", {16, 2, 22050}, 0.7, saveChime},
        {"start.wav", {16, 2, 44100}, 0.8, startJingle},
        {"zuzu.wav", {16, 1, 22050}, 0.75, slurp},
        {"maku.wav", {8, 1, 11025}, 0.6, reelClick},
        {"lineout.wav", {16, 1, 44100}, 0.85, lineSnap},
        {"get.wav", {16, 2, 22050}, 0.85, catchFanfare},
        {"awa.wav", {16, 1, 22050}, 0.7, bubblesSmall},
        {"awa2.wav", {8, 2, 22050}, 0.75, bubblesLarge},
        {"orgol.wav", {16, 2, 22050}, 0.75, musicBox},
        {"ukiwa.wav", {16, 1, 11025}, 0.75, floatPlop},
        {"gun.wav", {16, 1, 44100}, 0.9, gunShot},
        {"damage.wav", {8, 1, 22050}, 0.85, hitThud},
        {"hit.wav", {8, 2, 11025}, 0.7, biteAlert},
        {"suisou.wav", {8, 2, 44100}, 0.6, tankBubbles},
        {"key.wav", {8, 1, 44100}, 0.5, keyTick},
        {"coin.wav", {16, 2, 11025}, 0.75, coins},
        {"esa.wav", {16, 1, 22050}, 0.65, feeding},
        {"up.wav", {16, 2, 22050}, 0.75, risingArpeggio},
        {"neji.wav", {8, 1, 22050}, 0.7, shopDoor},
        {"buy.wav", {16, 2, 22050}, 0.8, register_},
        {"baku.wav", {16, 2, 44100}, 0.9, startBang},
        {"ouen.wav", {16, 2, 11025}, 0.75, cheering},
        {"ouen2.wav", {8, 2, 11025}, 0.75, clapping},
        {"victory.wav", {16, 2, 22050}, 0.88, victory},
        {"lose.wav", {8, 1, 22050}, 0.8, sadSlide},
        {"katan.wav", {8, 1, 11025}, 0.8, woodClunk},
    };
    return table;
}

std::vector<std::uint8_t> renderWave(const SoundEffect& effect)
{
    return encodeWave(effect.render(effect.format.rate), effect.format, effect.peak);
}

} // namespace soundgen
