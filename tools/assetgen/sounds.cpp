// Sound effects, synthesised from sine partials, envelopes and seeded
// noise so every build writes the same samples.
#include "sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "canvas.h"

namespace sound {

namespace {

constexpr double kPi = 3.14159265358979323846;

using Buffer = std::vector<double>;

Buffer silence(double seconds) { return Buffer(static_cast<std::size_t>(seconds * kRate), 0.0); }

double noteHz(int semitonesFromA4) { return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0); }

// Adds a tone with harmonic partials (amplitudes `harm`) starting at `at`
// seconds, with attack/release shaping and optional vibrato.
void addTone(Buffer& b, double at, double dur, double hz, double amp, const std::vector<double>& harm,
             double attack = 0.01, double release = 0.08, double vibrato = 0.0, double decay = 0.0) {
    std::size_t start = static_cast<std::size_t>(at * kRate);
    std::size_t n = static_cast<std::size_t>((dur + release) * kRate);
    if (b.size() < start + n) b.resize(start + n, 0.0);
    double phase = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double t = double(i) / kRate;
        double env = t < attack ? t / attack : 1.0;
        if (t > dur) env *= std::max(0.0, 1.0 - (t - dur) / release);
        if (decay > 0) env *= std::exp(-t * decay);
        double f = hz * (1.0 + vibrato * std::sin(2 * kPi * 5.5 * t) * std::min(1.0, t / 0.25));
        phase += 2 * kPi * f / kRate;
        double s = 0;
        for (std::size_t h = 0; h < harm.size(); ++h) s += harm[h] * std::sin(phase * (h + 1));
        b[start + i] += amp * env * s;
    }
}

// Tone whose pitch glides from hz0 to hz1.
void addGlide(Buffer& b, double at, double dur, double hz0, double hz1, double amp, const std::vector<double>& harm) {
    std::size_t start = static_cast<std::size_t>(at * kRate);
    std::size_t n = static_cast<std::size_t>(dur * kRate);
    if (b.size() < start + n) b.resize(start + n, 0.0);
    double phase = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double t = double(i) / n;
        double f = hz0 * std::pow(hz1 / hz0, t);
        phase += 2 * kPi * f / kRate;
        double env = std::min(1.0, t * 30) * std::pow(1.0 - t, 0.7);
        double trem = 1.0 - 0.25 * (0.5 + 0.5 * std::sin(2 * kPi * 6 * t * dur));
        double s = 0;
        for (std::size_t h = 0; h < harm.size(); ++h) s += harm[h] * std::sin(phase * (h + 1));
        b[start + i] += amp * env * trem * s;
    }
}

// Metallic bell strike: inharmonic partials with fast decay.
void addBell(Buffer& b, double at, double hz, double amp, double decay) {
    const double ratios[] = {1.0, 2.76, 5.40, 8.93};
    const double amps[] = {1.0, 0.5, 0.25, 0.12};
    std::size_t start = static_cast<std::size_t>(at * kRate);
    std::size_t n = static_cast<std::size_t>(5.0 / decay * kRate);
    if (b.size() < start + n) b.resize(start + n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        double t = double(i) / kRate;
        double s = 0;
        for (int k = 0; k < 4; ++k) s += amps[k] * std::exp(-t * decay * (1 + k * 0.8)) * std::sin(2 * kPi * hz * ratios[k] * t);
        b[start + i] += amp * std::min(1.0, t / 0.002) * s;
    }
}

// Filtered noise burst (one-pole low-pass) with exponential decay.
void addNoise(Buffer& b, double at, double dur, double amp, double decay, double smooth, std::uint64_t seed) {
    art::Rng rng(seed);
    std::size_t start = static_cast<std::size_t>(at * kRate);
    std::size_t n = static_cast<std::size_t>(dur * kRate);
    if (b.size() < start + n) b.resize(start + n, 0.0);
    double y = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double t = double(i) / kRate;
        double x = rng.unit() * 2 - 1;
        y += (x - y) * smooth;
        b[start + i] += amp * std::exp(-t * decay) * y;
    }
}

void normalise(Buffer& b, double peak) {
    double m = 0;
    for (double v : b) m = std::max(m, std::fabs(v));
    if (m > 0)
        for (double& v : b) v *= peak / m;
    // Short fade at both ends so playback never clicks.
    std::size_t f = std::min<std::size_t>(b.size() / 2, 64);
    for (std::size_t i = 0; i < f; ++i) {
        b[i] *= double(i) / f;
        b[b.size() - 1 - i] *= double(i) / f;
    }
}

const std::vector<double> kBrass = {1.0, 0.7, 0.5, 0.35, 0.22, 0.12, 0.06};
const std::vector<double> kSoft = {1.0, 0.3, 0.1};

// A bright major fanfare: a triplet pickup, a leap, and a held chord over a
// timpani roll.
Buffer opening() {
    Buffer b = silence(2.2);
    const int C5 = 3, E5 = 7, G5 = 10, C6 = 15;
    double t = 0.0;
    for (int k = 0; k < 3; ++k, t += 0.11) addTone(b, t, 0.08, noteHz(G5 - 12 + 0), 0.22, kBrass, 0.01, 0.03);
    addTone(b, t, 0.22, noteHz(C5), 0.28, kBrass, 0.015, 0.05);
    t += 0.26;
    addTone(b, t, 0.12, noteHz(E5), 0.26, kBrass, 0.01, 0.04);
    t += 0.14;
    addTone(b, t, 0.12, noteHz(G5), 0.26, kBrass, 0.01, 0.04);
    t += 0.16;
    // Held chord with vibrato.
    for (int n : {C5, E5, G5, C6}) addTone(b, t, 0.95, noteHz(n), 0.17, kBrass, 0.03, 0.35, 0.004);
    addTone(b, t, 0.95, noteHz(C5 - 24), 0.22, kSoft, 0.02, 0.35);
    // Timpani: low thuds under the pickup and the chord.
    for (double at : {0.0, 0.33, t}) {
        addTone(b, at, 0.05, 65.4, 0.5, {1.0, 0.4}, 0.003, 0.4, 0.0, 6.0);
        addNoise(b, at, 0.2, 0.15, 25, 0.1, 77 + static_cast<std::uint64_t>(at * 100));
    }
    // Sparkle on top of the chord.
    for (int k = 0; k < 6; ++k) addBell(b, t + 0.05 + k * 0.07, noteHz(C6 + 12 + (k % 3) * 4), 0.05, 9);
    normalise(b, 0.85);
    return b;
}

// A crisp tick: a short high ping over a click of filtered noise.
Buffer tab() {
    Buffer b = silence(0.1);
    addNoise(b, 0, 0.03, 0.6, 160, 0.6, 11);
    addTone(b, 0, 0.002, 2400, 0.5, {1.0, 0.2}, 0.0005, 0.06, 0.0, 70);
    addTone(b, 0, 0.002, 1200, 0.3, {1.0}, 0.0005, 0.05, 0.0, 90);
    b.resize(static_cast<std::size_t>(0.1 * kRate));
    normalise(b, 0.8);
    return b;
}

// The "wah-wah-wah-waaah" of a failed venture: three sagging steps and a
// long falling, wobbling last note.
Buffer bankrupt() {
    Buffer b = silence(1.25);
    const std::vector<double> tromb = {1.0, 0.6, 0.45, 0.3, 0.15, 0.08};
    addGlide(b, 0.0, 0.24, noteHz(-2), noteHz(-3), 0.3, tromb);
    addGlide(b, 0.26, 0.24, noteHz(-3), noteHz(-4), 0.3, tromb);
    addGlide(b, 0.52, 0.24, noteHz(-4), noteHz(-5), 0.3, tromb);
    addGlide(b, 0.78, 0.47, noteHz(-5), noteHz(-11), 0.34, tromb);
    addTone(b, 0.0, 1.0, noteHz(-26), 0.12, kSoft, 0.05, 0.2);
    normalise(b, 0.8);
    return b;
}

// Selecting a stock: a light two-note "pi-pon" chime.
Buffer cho() {
    Buffer b = silence(0.25);
    addBell(b, 0.0, 1318.5, 0.5, 22);
    addBell(b, 0.06, 1760.0, 0.45, 18);
    b.resize(static_cast<std::size_t>(0.25 * kRate));
    normalise(b, 0.75);
    return b;
}

// A trade goes through: a cash-register "cha-ching" with a coin shimmer.
Buffer yakutei() {
    Buffer b = silence(0.7);
    addNoise(b, 0.0, 0.06, 0.5, 60, 0.5, 31);  // drawer latch
    addTone(b, 0.0, 0.01, 180, 0.4, {1.0, 0.5}, 0.001, 0.05, 0.0, 40);
    addBell(b, 0.08, 2093.0, 0.45, 7);
    addBell(b, 0.16, 2637.0, 0.5, 5);
    addBell(b, 0.165, 3136.0, 0.3, 6);
    for (int k = 0; k < 8; ++k) addBell(b, 0.18 + k * 0.035, 4000 + (k * 733) % 1800, 0.06, 20);
    b.resize(static_cast<std::size_t>(0.7 * kRate));
    normalise(b, 0.8);
    return b;
}

void put16(std::ofstream& f, std::uint16_t v) {
    char c[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    f.write(c, 2);
}
void put32(std::ofstream& f, std::uint32_t v) {
    char c[4] = {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF), static_cast<char>((v >> 16) & 0xFF),
                 static_cast<char>((v >> 24) & 0xFF)};
    f.write(c, 4);
}

}  // namespace

std::vector<Clip> makeAll() {
    return {
        {"opening.wav", opening()}, {"tab.wav", tab()}, {"bankrupt.wav", bankrupt()},
        {"cho.wav", cho()},         {"yakutei.wav", yakutei()},
    };
}

bool writeWav(const std::string& path, const std::vector<double>& samples) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    f.write("RIFF", 4);
    put32(f, 36 + dataBytes);
    f.write("WAVE", 4);
    f.write("fmt ", 4);
    put32(f, 16);
    put16(f, 1);  // PCM
    put16(f, 1);  // mono
    put32(f, kRate);
    put32(f, kRate * 2);
    put16(f, 2);
    put16(f, 16);
    f.write("data", 4);
    put32(f, dataBytes);
    for (double s : samples) {
        double c = std::max(-1.0, std::min(1.0, s));
        put16(f, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(c * 32767))));
    }
    return static_cast<bool>(f);
}

}  // namespace sound
