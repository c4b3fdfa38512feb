// The fourteen cues and the music: formats the game's audio add-on reads, sensible lengths
// and levels, silent ends on one-shot cues, and seamless loops for the clock and the music.
#include "asset_files.hpp"
#include "sounds.hpp"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>

namespace {

float peak(const std::vector<float>& s) {
    float m = 0;
    for (float v : s)
        m = std::max(m, std::abs(v));
    return m;
}

// The step a loop takes from its last sample back to its first, against the steps it
// takes everywhere else (99.9th percentile), so that a click shows as an outlier.
struct Seam {
    double jump;
    double typicalStep;
};

Seam seamOf(const std::vector<float>& s) {
    std::vector<double> steps;
    for (std::size_t i = 1; i < s.size(); ++i)
        steps.push_back(std::abs(s[i] - s[i - 1]));
    std::sort(steps.begin(), steps.end());
    return {std::abs(static_cast<double>(s.front()) - s.back()), steps[steps.size() * 999 / 1000]};
}

std::string cuePath(const std::string& file) {
    return assettest::assetDir() + "/sam/" + file;
}

} // namespace

TEST(Cues, AreFourteenInTheGamesLoadingOrder) {
    const std::vector<std::string> expected = {
        "menu.wav", "take.wav",      "snd1.wav", "kreski.wav",   "brakruchu.wav",
        "s6.wav",   "s7.wav",        "gw1.wav",  "planety.wav",  "koniecet.wav",
        "rek.wav",  "str_use_6.wav", "time.wav", "brakczasu.wav"};
    EXPECT_EQ(assetgen::cueFiles(), expected);
}

TEST(Cues, AreSixteenBitWavesOfSensibleLengthAndLevel) {
    for (const std::string& file : assetgen::cueFiles()) {
        auto sound = assettest::loadSound(cuePath(file));
        ASSERT_TRUE(sound.opened) << file;
        EXPECT_EQ(sound.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << file;
        EXPECT_EQ(sound.rate, 44100) << file;
        EXPECT_TRUE(sound.channels == 1 || sound.channels == 2) << file;
        double seconds = static_cast<double>(sound.mono.size()) / sound.rate;
        EXPECT_GE(seconds, 0.05) << file;
        EXPECT_LE(seconds, 5.0) << file;
        float p = peak(sound.mono);
        EXPECT_GE(p, 0.2f) << file << " is too quiet";
        EXPECT_LE(p, 0.95f) << file << " is at the edge of clipping";
    }
}

TEST(Cues, StartAndEndAtSilenceSoTheyDoNotClick) {
    for (const std::string& file : assetgen::cueFiles()) {
        auto sound = assettest::loadSound(cuePath(file));
        ASSERT_TRUE(sound.opened) << file;
        ASSERT_GT(sound.mono.size(), 20u);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_LT(std::abs(sound.mono[i]), 0.01f) << file << " starts with a click";
            EXPECT_LT(std::abs(sound.mono[sound.mono.size() - 1 - i]), 0.01f)
                << file << " ends with a click";
        }
    }
}

TEST(Cues, ClockWarningLoopsWithoutASeam) {
    auto sound = assettest::loadSound(cuePath("time.wav"));
    ASSERT_TRUE(sound.opened);
    Seam seam = seamOf(sound.mono);
    EXPECT_LE(seam.jump, seam.typicalStep * 2 + 1e-4);
}

TEST(Music, IsAStereoOggVorbisLoopOfModerateLength) {
    auto music = assettest::loadSound(assettest::assetDir() + "/sam/muzyczka.ogg");
    ASSERT_TRUE(music.opened);
    EXPECT_EQ(music.format & SF_FORMAT_TYPEMASK, SF_FORMAT_OGG);
    EXPECT_EQ(music.format & SF_FORMAT_SUBMASK, SF_FORMAT_VORBIS);
    EXPECT_EQ(music.rate, 44100);
    EXPECT_EQ(music.channels, 2);
    double seconds = static_cast<double>(music.mono.size()) / music.rate;
    EXPECT_NEAR(seconds, assetgen::kMusicSeconds, 0.05);
    EXPECT_GE(seconds, 20.0);
    EXPECT_LE(seconds, 60.0);
    float p = peak(music.mono);
    EXPECT_GE(p, 0.2f);
    EXPECT_LE(p, 0.95f);
}

TEST(Music, LoopsWithoutASeam) {
    auto music = assettest::loadSound(assettest::assetDir() + "/sam/muzyczka.ogg");
    ASSERT_TRUE(music.opened);
    Seam seam = seamOf(music.mono);
    EXPECT_LE(seam.jump, seam.typicalStep * 2);
    // The loop point is not hidden in silence: the music plays on across it.
    double energy = 0;
    for (std::size_t i = 0; i < 4410; ++i)
        energy += music.mono[i] * music.mono[i];
    EXPECT_GT(std::sqrt(energy / 4410), 0.005);
}
