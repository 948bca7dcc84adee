// Build-time tool: synthesises the window's background tune, a short melody
// of this program's own on the D major pentatonic scale, plucked like a
// zither over a soft bass, and writes it as a WAV file (16-bit mono PCM).
// The window plays it 100 times in a row, so it ends on the key note with a
// beat of rest and fades to silence, and the next play follows without a
// click.
//
//   make-tune OUTPUT.wav

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace {

// Low enough to keep the file small, high enough for the plucked tones'
// upper partials (the highest note is E5, 659 Hz).
constexpr int kSampleRate = 11025;
constexpr double kBeatSeconds = 0.5; // 120 beats a minute, three to a bar
constexpr int kBeatsPerBar = 3;
// Head room for overlapping notes; the player halves it again.
constexpr double kPeak = 0.6;
constexpr double kFadeSeconds = 0.05;

struct Note {
    int key;      // MIDI key number; 0 is a rest
    double beats; // length
};

// Eight bars of 3/4: a rising question in bars 1 to 4, its answer in 5 to 8.
constexpr std::array kMelody{
    Note{69, 1},   Note{74, 1},   Note{71, 1},                // A D B
    Note{69, 1.5}, Note{66, 0.5}, Note{64, 1},                // A. F# E
    Note{66, 1},   Note{69, 1},   Note{71, 1},                // F# A B
    Note{69, 3},                                              // A
    Note{71, 1},   Note{74, 1},   Note{76, 1},                // B D E
    Note{74, 1.5}, Note{71, 0.5}, Note{69, 1},                // D. B A
    Note{66, 1},   Note{64, 0.5}, Note{66, 0.5}, Note{69, 1}, // F# E F# A
    Note{62, 2},   Note{0, 1},                                // D, rest
};

// One bass note on the first beat of each bar: D A D A G D A D.
constexpr std::array kBass{50, 45, 50, 45, 43, 50, 45, 50};

double frequency(int key) { return 440.0 * std::pow(2.0, (key - 69) / 12.0); }

int sampleAt(double seconds) { return static_cast<int>(std::lround(seconds * kSampleRate)); }

// A plucked string: a few partials, each dying away faster than the one
// below, a short attack so the note starts without a click, and a short
// release once it has rung for `seconds`.
void pluck(std::vector<double>& out, double start, double seconds, int key, double level,
           std::span<const double> partials, double decaySeconds) {
    const double f = frequency(key);
    const auto first = static_cast<std::size_t>(sampleAt(start));
    const int count = sampleAt(seconds);
    const int attack = sampleAt(0.004);
    const int release = sampleAt(0.04);
    for (int i = 0; i < count && first + static_cast<std::size_t>(i) < out.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double envelope = level;
        if (i < attack) {
            envelope *= static_cast<double>(i) / attack;
        }
        if (i > count - release) {
            envelope *= static_cast<double>(count - i) / release;
        }
        double sample = 0;
        for (std::size_t k = 0; k < partials.size(); ++k) {
            const double harmonic = static_cast<double>(k + 1);
            if (f * harmonic >= kSampleRate / 2.0) {
                break;
            }
            sample += partials[k] * std::exp(-t * std::pow(harmonic, 0.7) / decaySeconds) *
                      std::sin(2 * std::numbers::pi * f * harmonic * t);
        }
        out[first + static_cast<std::size_t>(i)] += envelope * sample;
    }
}

std::vector<std::int16_t> synthesise() {
    double beats = 0;
    for (const Note& note : kMelody) {
        beats += note.beats;
    }
    std::vector<double> mix(static_cast<std::size_t>(sampleAt(beats * kBeatSeconds)), 0.0);

    constexpr std::array kZither{1.0, 0.5, 0.3, 0.16, 0.08, 0.04};
    constexpr std::array kSoftBass{1.0, 0.25};
    double at = 0;
    for (const Note& note : kMelody) {
        if (note.key != 0) {
            // Each note rings a little into the next, as a plucked string does.
            pluck(mix, at * kBeatSeconds, (note.beats + 0.5) * kBeatSeconds, note.key, 1.0, kZither, 0.45);
        }
        at += note.beats;
    }
    for (std::size_t bar = 0; bar < kBass.size(); ++bar) {
        pluck(mix, static_cast<double>(bar * kBeatsPerBar) * kBeatSeconds, kBeatsPerBar * kBeatSeconds, kBass[bar],
              0.45, kSoftBass, 0.8);
    }

    const int fade = sampleAt(kFadeSeconds);
    for (int i = 0; i < fade; ++i) {
        mix[mix.size() - 1 - static_cast<std::size_t>(i)] *= static_cast<double>(i) / fade;
    }

    double loudest = 0;
    for (const double sample : mix) {
        loudest = std::max(loudest, std::abs(sample));
    }
    std::vector<std::int16_t> pcm;
    pcm.reserve(mix.size());
    for (const double sample : mix) {
        pcm.push_back(static_cast<std::int16_t>(std::lround(sample / loudest * kPeak * 32767.0)));
    }
    return pcm;
}

void putLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
    }
}

std::string wavFile(const std::vector<std::int16_t>& pcm) {
    const auto dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::string out = "RIFF";
    putLittleEndian(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLittleEndian(out, 16, 4);              // size of the format chunk
    putLittleEndian(out, 1, 2);               // PCM
    putLittleEndian(out, 1, 2);               // mono
    putLittleEndian(out, kSampleRate, 4);     // samples a second
    putLittleEndian(out, kSampleRate * 2, 4); // bytes a second
    putLittleEndian(out, 2, 2);               // bytes a sample
    putLittleEndian(out, 16, 2);              // bits a sample
    out += "data";
    putLittleEndian(out, dataBytes, 4);
    for (const std::int16_t sample : pcm) {
        putLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
    }
    return out;
}

} // namespace

int main(int argc, const char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: make-tune OUTPUT.wav\n", stderr);
        return 2;
    }
    const std::filesystem::path output = argv[1];
    const std::string bytes = wavFile(synthesise());
    // Written beside the target and renamed over it, so an interrupted build
    // never leaves half a file for the resource compiler.
    std::filesystem::path partial = output;
    partial += ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::fprintf(stderr, "make-tune: cannot write %s\n", partial.c_str());
            return 1;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, output, error);
    if (error) {
        std::fprintf(stderr, "make-tune: cannot write %s: %s\n", output.c_str(), error.message().c_str());
        return 1;
    }
    return 0;
}
