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

// A loop clicks when the step from its last sample back to its first stands out against the
// steps it takes everywhere else (99.9th percentile).
void expectSeamless(const std::vector<float>& s, const std::string& file) {
    ASSERT_GT(s.size(), 1000u) << file;
    std::vector<double> steps;
    for (std::size_t i = 1; i < s.size(); ++i)
        steps.push_back(std::abs(s[i] - s[i - 1]));
    std::ranges::sort(steps);
    EXPECT_LE(std::abs(s.front() - s.back()), steps[steps.size() * 999 / 1000] * 2 + 1e-4)
        << file << " clicks where it loops";
}

} // namespace

TEST(Cues, AreFourteenSixteenBitWavesInLoadingOrderWithoutClicks) {
    const std::vector<std::string> loadingOrder = {
        "menu.wav", "take.wav",      "snd1.wav", "kreski.wav",   "brakruchu.wav",
        "s6.wav",   "s7.wav",        "gw1.wav",  "planety.wav",  "koniecet.wav",
        "rek.wav",  "str_use_6.wav", "time.wav", "brakczasu.wav"};
    EXPECT_EQ(assetgen::cueFiles(), loadingOrder);
    for (const std::string& file : assetgen::cueFiles()) {
        auto sound = assettest::loadSound(assettest::asset("sam/" + file));
        ASSERT_TRUE(sound.opened) << file;
        EXPECT_EQ(sound.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16) << file;
        EXPECT_EQ(sound.rate, 44100) << file;
        EXPECT_TRUE(sound.channels == 1 || sound.channels == 2) << file;
        double seconds = static_cast<double>(sound.mono.size()) / sound.rate;
        EXPECT_TRUE(seconds >= 0.05 && seconds <= 5.0) << file << " lasts " << seconds << " s";
        float p = peak(sound.mono);
        EXPECT_TRUE(p >= 0.2f && p <= 0.95f) << file << " peaks at " << p;
        ASSERT_GT(sound.mono.size(), 20u) << file;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_LT(std::abs(sound.mono[i]), 0.01f) << file << " starts with a click";
            EXPECT_LT(std::abs(sound.mono.rbegin()[i]), 0.01f) << file << " ends with a click";
        }
    }
    // The clock's warning repeats while time runs short.
    expectSeamless(assettest::loadSound(assettest::asset("sam/time.wav")).mono, "time.wav");
}

TEST(Music, IsAStereoOggVorbisLoopOfModerateLengthWithoutASeam) {
    auto music = assettest::loadSound(assettest::asset("sam/muzyczka.ogg"));
    ASSERT_TRUE(music.opened);
    EXPECT_EQ(music.format & SF_FORMAT_TYPEMASK, SF_FORMAT_OGG);
    EXPECT_EQ(music.format & SF_FORMAT_SUBMASK, SF_FORMAT_VORBIS);
    EXPECT_EQ(music.rate, 44100);
    EXPECT_EQ(music.channels, 2);
    double seconds = static_cast<double>(music.mono.size()) / music.rate;
    EXPECT_NEAR(seconds, assetgen::kMusicSeconds, 0.05);
    EXPECT_TRUE(seconds >= 20.0 && seconds <= 60.0) << seconds;
    float p = peak(music.mono);
    EXPECT_TRUE(p >= 0.2f && p <= 0.95f) << p;
    expectSeamless(music.mono, "muzyczka.ogg");
    // The loop point is not hidden in silence: the music plays on across it.
    double energy = 0;
    for (std::size_t i = 0; i < 4410; ++i)
        energy += music.mono[i] * music.mono[i];
    EXPECT_GT(std::sqrt(energy / 4410), 0.005);
}
