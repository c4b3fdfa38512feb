// A small additive synthesiser for the game's cues and music. Tracks are mono sample
// arrays at 44.1 kHz; a "wrapped" track treats its end as joined to its start, so that
// notes ringing past the end continue at the beginning and the track loops without a seam.
#pragma once

#include <string>
#include <vector>

namespace assetgen {

constexpr int kRate = 44100;

struct Track {
    std::vector<double> s;
    bool wrapped = false;

    static Track seconds(double length, bool wrapped = false);
    double length() const { return static_cast<double>(s.size()) / kRate; }
    // Adds v at sample i; past the end, wrapped tracks continue at the start and others drop it.
    void add(long i, double v);
};

enum class Timbre {
    Sine,  // pure
    Soft,  // sine with a little second and third harmonic, for pads and bass
    Brass, // many harmonics that open up with loudness, for fanfares
    Wood,  // short knock for the clock
};

double note(int midi); // frequency of a MIDI note number

// A held note with attack and release ramps (raised cosine).
void addTone(Track& t, double start, double duration, double freq, double amp, double attack,
             double release, Timbre timbre, double detune = 0.0);
// A struck bell: inharmonic partials, each dying away exponentially.
void addBell(Track& t, double start, double freq, double amp, double decay);
// A tone whose pitch slides from f0 to f1.
void addGlide(Track& t, double start, double duration, double f0, double f1, double amp);
// Soft noise, low-passed, for shimmer and breath.
void addNoise(Track& t, double start, double duration, double amp, double smoothing, unsigned seed);

void echo(Track& t, double delay, double feedback, double mix);
void lowPass(Track& t, double cutoff);
void normalise(Track& t, double peak);
// Raised-cosine fades at both ends so that a one-shot cue starts and ends at silence.
void fadeEdges(Track& t, double fadeIn, double fadeOut);

// 16-bit PCM WAV through libsndfile; one track per channel.
void writeWav(const std::vector<Track>& channels, const std::string& path);
// Ogg Vorbis (quality 0..1) through libvorbisenc and libogg with a fixed stream serial.
void writeOggVorbis(const std::vector<Track>& channels, double quality, const std::string& path);

} // namespace assetgen
