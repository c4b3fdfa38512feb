// The music: a calm ambient loop of four chords in A minor, eight seconds each, with a soft
// bass, slow pads and a sparse bell melody that echoes between the channels. Every part is
// rendered on wrapped tracks, so whatever rings past the end sounds at the start and the
// loop closes without a seam.
#include "sounds.hpp"

#include "paint.hpp"
#include "synth.hpp"

#include <algorithm>
#include <cmath>

namespace assetgen {

void writeMusic(const std::string& folder) {
    Track left = Track::seconds(kMusicSeconds, true);
    Track right = Track::seconds(kMusicSeconds, true);
    const double bar = kMusicSeconds / 4;
    // Am9, Fmaj7, Cmaj7, G6 (MIDI notes; the first is the bass).
    const int chords[4][5] = {
        {45, 57, 60, 64, 71}, {41, 57, 60, 64, 65}, {48, 55, 59, 64, 67}, {43, 55, 59, 62, 64}};
    for (int c = 0; c < 4; ++c) {
        double at = c * bar;
        addTone(left, at, bar - 1.0, note(chords[c][0]), 0.22, 1.5, 2.5, Timbre::Soft);
        addTone(right, at, bar - 1.0, note(chords[c][0]), 0.22, 1.5, 2.5, Timbre::Soft);
        for (int i = 1; i < 5; ++i) {
            double f = note(chords[c][i]);
            // Each pad voice is a slightly detuned pair spread across the channels.
            addTone(left, at, bar - 0.5, f, 0.07, 2.2, 3.0, Timbre::Soft, 0.0015 * i);
            addTone(right, at, bar - 0.5, f, 0.07, 2.2, 3.0, Timbre::Soft, -0.0015 * i);
        }
    }
    lowPass(left, 1800);
    lowPass(right, 1800);

    Track bellsL = Track::seconds(kMusicSeconds, true);
    Track bellsR = Track::seconds(kMusicSeconds, true);
    const int scale[] = {69, 72, 74, 76, 79, 81, 84};
    Random rnd(31);
    double at = 0.5;
    int step = 3;
    while (at < kMusicSeconds - 0.2) {
        step = std::clamp(step + rnd.below(5) - 2, 0, 6);
        double pan = rnd.range(0.25, 0.75);
        double amp = rnd.range(0.10, 0.16);
        addBell(bellsL, at, note(scale[step]), amp * (1 - pan), 0.6);
        addBell(bellsR, at, note(scale[step]), amp * pan, 0.6);
        at += 0.75 * (1 + rnd.below(3));
    }
    echo(bellsL, 0.75, 0.45, 0.5);
    echo(bellsR, 0.5, 0.45, 0.5);
    for (std::size_t i = 0; i < left.s.size(); ++i) {
        left.s[i] += bellsL.s[i] + 0.3 * bellsR.s[i];
        right.s[i] += bellsR.s[i] + 0.3 * bellsL.s[i];
    }
    double peak = 0;
    for (std::size_t i = 0; i < left.s.size(); ++i) {
        peak = std::max({peak, std::abs(left.s[i]), std::abs(right.s[i])});
    }
    for (std::size_t i = 0; i < left.s.size(); ++i) {
        left.s[i] *= 0.6 / peak;
        right.s[i] *= 0.6 / peak;
    }
    writeOggVorbis({left, right}, 0.35, folder + "/muzyczka.ogg");
}

} // namespace assetgen
