// The cues: short, soft and tuned to one another (A minor pentatonic around A5), each with
// a fade at both ends so nothing clicks. Several are played slower by the game (snd1,
// koniecet and str_use_6 at 0.7, planety at 0.9, time and brakczasu at 0.8), which lowers
// their pitch; they are voiced a little high for that.
#include "sounds.hpp"

#include "synth.hpp"

#include <functional>
#include <utility>

namespace assetgen {

namespace {

void finish(Track& t, double peak) {
    normalise(t, peak);
    fadeEdges(t, 0.003, 0.03);
}

// Soft tick when the pointer reaches a menu item or button.
Track menuTick() {
    Track t = Track::seconds(0.09);
    addBell(t, 0.002, 1760, 0.5, 0.012);
    addBell(t, 0.002, 2637, 0.2, 0.008);
    finish(t, 0.45);
    return t;
}

// Refused swap: a short falling "bwoop".
Track refusedSwap() {
    Track t = Track::seconds(0.32);
    addGlide(t, 0.0, 0.28, 520, 300, 0.6);
    lowPass(t, 2500);
    finish(t, 0.55);
    return t;
}

// A scored line: a bright pluck of a fifth.
Track scoredLine() {
    Track t = Track::seconds(0.45);
    addBell(t, 0.0, note(81), 0.6, 0.09);
    addBell(t, 0.0, note(88), 0.35, 0.07);
    finish(t, 0.6);
    return t;
}

// A kind bar is full: a quick rising arpeggio.
Track fullBar() {
    Track t = Track::seconds(0.9);
    const int notes[] = {76, 79, 84, 88, 91};
    for (int i = 0; i < 5; ++i) {
        addBell(t, i * 0.06, note(notes[i]), 0.5, 0.12 + i * 0.02);
    }
    echo(t, 0.11, 0.3, 0.3);
    finish(t, 0.6);
    return t;
}

// No move left (kept for the board): two gentle falling notes.
Track noMove() {
    Track t = Track::seconds(0.6);
    addTone(t, 0.0, 0.16, note(69), 0.5, 0.01, 0.08, Timbre::Soft);
    addTone(t, 0.2, 0.22, note(66), 0.5, 0.01, 0.15, Timbre::Soft);
    finish(t, 0.5);
    return t;
}

// A line of bonus elements: a shimmering upward sweep.
Track bonusLine() {
    Track t = Track::seconds(0.95);
    const int notes[] = {79, 83, 86, 91, 95};
    for (int i = 0; i < 5; ++i) {
        addBell(t, i * 0.045, note(notes[i]), 0.45, 0.18);
    }
    addNoise(t, 0.0, 0.5, 0.08, 0.5, 6);
    echo(t, 0.13, 0.35, 0.35);
    finish(t, 0.6);
    return t;
}

// A line of star elements: a falling sparkle of high bells.
Track starLine() {
    Track t = Track::seconds(1.3);
    const int notes[] = {96, 93, 91, 88, 86, 84};
    for (int i = 0; i < 6; ++i) {
        addBell(t, i * 0.07, note(notes[i]), 0.4, 0.2);
    }
    addTone(t, 0.0, 0.5, note(72), 0.25, 0.05, 0.4, Timbre::Soft);
    echo(t, 0.17, 0.35, 0.4);
    finish(t, 0.6);
    return t;
}

// A star collected: a clear two-note chime.
Track starCollected() {
    Track t = Track::seconds(0.9);
    addBell(t, 0.0, note(88), 0.5, 0.2);
    addBell(t, 0.09, note(95), 0.45, 0.25);
    echo(t, 0.15, 0.25, 0.3);
    finish(t, 0.6);
    return t;
}

// The planet chime: a slow, wide arpeggio over a soft pad.
Track planetChime() {
    Track t = Track::seconds(3.6);
    const int pad[] = {60, 67, 72, 76};
    for (int n : pad) {
        addTone(t, 0.0, 2.0, note(n), 0.12, 0.6, 1.4, Timbre::Soft, 0.001);
        addTone(t, 0.0, 2.0, note(n), 0.12, 0.6, 1.4, Timbre::Soft, -0.001);
    }
    const int bells[] = {72, 76, 79, 83, 86, 88};
    for (int i = 0; i < 6; ++i) {
        addBell(t, 0.1 + i * 0.22, note(bells[i]), 0.35, 0.45);
    }
    echo(t, 0.27, 0.35, 0.35);
    finish(t, 0.6);
    fadeEdges(t, 0.01, 0.4);
    return t;
}

// Level fanfare: a short brass call ending on a held chord.
Track levelFanfare() {
    Track t = Track::seconds(2.2);
    const std::pair<double, int> call[] = {{0.0, 67}, {0.16, 72}, {0.32, 76}};
    for (auto [at, n] : call) {
        addTone(t, at, 0.12, note(n), 0.35, 0.02, 0.06, Timbre::Brass);
    }
    for (int n : {72, 76, 79, 84}) {
        addTone(t, 0.5, 0.9, note(n), 0.25, 0.04, 0.6, Timbre::Brass);
    }
    addBell(t, 0.5, note(96), 0.2, 0.4);
    lowPass(t, 5000);
    echo(t, 0.2, 0.25, 0.25);
    finish(t, 0.65);
    return t;
}

// Record jingle (kept for the lists): a rising run and a bright chord.
Track recordJingle() {
    Track t = Track::seconds(1.8);
    const int run[] = {72, 74, 76, 79, 81, 84};
    for (int i = 0; i < 6; ++i) {
        addBell(t, i * 0.07, note(run[i]), 0.4, 0.12);
    }
    for (int n : {84, 88, 91}) {
        addTone(t, 0.45, 0.5, note(n), 0.2, 0.02, 0.6, Timbre::Soft);
        addBell(t, 0.45, note(n), 0.25, 0.35);
    }
    echo(t, 0.15, 0.3, 0.3);
    finish(t, 0.6);
    return t;
}

// Final fanfare after Neptune: a brass progression I - IV - V - I with bells on top.
Track finalFanfare() {
    Track t = Track::seconds(4.4);
    const int chords[4][4] = {
        {60, 64, 67, 72}, {65, 69, 72, 77}, {67, 71, 74, 79}, {72, 76, 79, 84}};
    const double starts[4] = {0.0, 0.55, 1.1, 1.65};
    const double lengths[4] = {0.45, 0.45, 0.45, 1.4};
    for (int c = 0; c < 4; ++c) {
        for (int n : chords[c]) {
            addTone(t, starts[c], lengths[c], note(n), 0.2, 0.03, 0.5, Timbre::Brass);
        }
        addTone(t, starts[c], lengths[c], note(chords[c][0] - 24), 0.25, 0.03, 0.5, Timbre::Soft);
    }
    const int bells[] = {84, 88, 91, 96};
    for (int i = 0; i < 4; ++i) {
        addBell(t, 1.65 + i * 0.12, note(bells[i]), 0.25, 0.5);
    }
    lowPass(t, 5000);
    echo(t, 0.3, 0.3, 0.3);
    finish(t, 0.65);
    fadeEdges(t, 0.003, 0.5);
    return t;
}

// The clock warning, one second long and looped by the game: tick and tock in the middle
// of each half, so both ends of the file are silent and the loop has no seam.
Track clockWarning() {
    Track t = Track::seconds(1.0);
    addTone(t, 0.2, 0.04, 2100, 0.6, 0.0015, 0.05, Timbre::Wood);
    addTone(t, 0.7, 0.04, 1650, 0.6, 0.0015, 0.05, Timbre::Wood);
    addTone(t, 0.2, 0.12, 440, 0.15, 0.005, 0.1, Timbre::Sine);
    addTone(t, 0.7, 0.12, 440, 0.15, 0.005, 0.1, Timbre::Sine);
    normalise(t, 0.55);
    return t;
}

// Time is up: three descending soft gongs.
Track timeOut() {
    Track t = Track::seconds(2.6);
    const int notes[] = {76, 72, 69};
    for (int i = 0; i < 3; ++i) {
        addBell(t, i * 0.3, note(notes[i]), 0.45, 0.5);
        addTone(t, i * 0.3, 0.2, note(notes[i] - 12), 0.2, 0.01, 0.8, Timbre::Soft);
    }
    echo(t, 0.25, 0.3, 0.3);
    finish(t, 0.6);
    fadeEdges(t, 0.003, 0.4);
    return t;
}

struct Cue {
    const char* file;
    std::function<Track()> make;
};

const std::vector<Cue>& cues() {
    static const std::vector<Cue> list = {
        {"menu.wav", menuTick},         {"take.wav", refusedSwap},  {"snd1.wav", scoredLine},
        {"kreski.wav", fullBar},        {"brakruchu.wav", noMove},  {"s6.wav", bonusLine},
        {"s7.wav", starLine},           {"gw1.wav", starCollected}, {"planety.wav", planetChime},
        {"koniecet.wav", levelFanfare}, {"rek.wav", recordJingle},  {"str_use_6.wav", finalFanfare},
        {"time.wav", clockWarning},     {"brakczasu.wav", timeOut},
    };
    return list;
}

} // namespace

const std::vector<std::string>& cueFiles() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> n;
        for (const Cue& c : cues())
            n.emplace_back(c.file);
        return n;
    }();
    return names;
}

void writeCues(const std::string& folder) {
    for (const Cue& c : cues()) {
        writeWav({c.make()}, folder + "/" + c.file);
    }
}

} // namespace assetgen
