// The files the game loads: every runtime file and nothing stray, the fonts with their
// licence, the same bytes on every run; cues and music in formats the audio add-on reads,
// of sensible length and level, with silent ends and seamless loops.
#include "asset_files.hpp"
#include "generate.hpp"
#include "sounds.hpp"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>
#include <ranges>

#include <unistd.h>

namespace fs = std::filesystem;
using assettest::asset;
using assettest::readBytes;

namespace {

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

TEST(Generation, WritesEveryRuntimeFileAndTheFontsWithTheirLicence) {
    const auto languages = assetgen::languageList(ORBELIUM_TEST_LANGUAGES);
    const auto files = assetgen::runtimeFiles(languages);
    // Four pictures at three scales, two fonts, the licence, fifteen sounds; and the two
    // pictures with words at three scales in each language besides Polish.
    EXPECT_EQ(files.size(), 30u + 6 * languages.size());
    for (const std::string& file : files)
        EXPECT_TRUE(fs::is_regular_file(asset(file))) << file;
    // The top folder is the game's working directory and holds the player's files too; the
    // picture and sound folders hold only what the generator wrote.
    for (const char* folder : {"gr", "sam"}) {
        for (const auto& entry : fs::recursive_directory_iterator(asset(folder))) {
            auto relative = fs::relative(entry.path(), asset("")).generic_string();
            EXPECT_TRUE(entry.is_directory() || std::ranges::count(files, relative) == 1)
                << relative << " is stray";
        }
    }
    const std::string fonts = ORBELIUM_TEST_FONT_DIR;
    EXPECT_EQ(readBytes(asset("arialbd.ttf")), readBytes(fonts + "/LiberationSans-Bold.ttf"));
    EXPECT_EQ(readBytes(asset("arial.ttf")), readBytes(fonts + "/LiberationSans-Regular.ttf"));
    EXPECT_EQ(readBytes(asset("LICENSE-fonts.txt")), readBytes(ORBELIUM_TEST_FONT_LICENCE));
}

TEST(Generation, TwoRunsWriteTheSameBytes) {
    fs::path base = fs::temp_directory_path() / ("orbelium_assets_" + std::to_string(::getpid()));
    fs::remove_all(base);
    const auto languages = assetgen::languageList(ORBELIUM_TEST_LANGUAGES);
    for (const char* run : {"first", "second"})
        assetgen::generateAll({ORBELIUM_TEST_MANIFEST, ORBELIUM_TEST_FONT_DIR,
                               ORBELIUM_TEST_FONT_LICENCE, (base / run).string(),
                               ORBELIUM_TEST_CATALOGUE_DIR, languages});
    for (const std::string& file : assetgen::runtimeFiles(languages)) {
        auto first = readBytes((base / "first" / file).string());
        ASSERT_FALSE(first.empty()) << file;
        EXPECT_EQ(first, readBytes((base / "second" / file).string())) << file << " differs";
        EXPECT_EQ(first, readBytes(asset(file))) << file << " differs from the build's copy";
    }
    fs::remove_all(base);
}

TEST(Sounds, CuesInLoadingOrderAndMusicAreReadableAtSensibleLengthAndLevelWithoutClicks) {
    const std::vector<std::string> loadingOrder = {
        "menu.wav", "take.wav",      "snd1.wav", "kreski.wav",   "brakruchu.wav",
        "s6.wav",   "s7.wav",        "gw1.wav",  "planety.wav",  "koniecet.wav",
        "rek.wav",  "str_use_6.wav", "time.wav", "brakczasu.wav"};
    EXPECT_EQ(assetgen::cueFiles(), loadingOrder);
    auto files = assetgen::cueFiles();
    files.push_back("muzyczka.ogg");
    for (const std::string& file : files) {
        const bool music = file == "muzyczka.ogg";
        auto sound = assettest::loadSound(asset("sam/" + file));
        ASSERT_GT(sound.mono.size(), 1000u) << file << " is unreadable or too short";
        EXPECT_EQ(sound.format,
                  music ? SF_FORMAT_OGG | SF_FORMAT_VORBIS : SF_FORMAT_WAV | SF_FORMAT_PCM_16)
            << file;
        EXPECT_EQ(sound.rate, 44100) << file;
        EXPECT_TRUE(sound.channels == 2 || (!music && sound.channels == 1)) << file;
        double seconds = static_cast<double>(sound.mono.size()) / sound.rate;
        EXPECT_TRUE(music ? seconds >= 20 && seconds <= 60 : seconds >= 0.05 && seconds <= 5)
            << file << " lasts " << seconds << " s";
        float p = std::ranges::max(sound.mono |
                                   std::views::transform([](float v) { return std::abs(v); }));
        EXPECT_TRUE(p >= 0.2f && p <= 0.95f) << file << " peaks at " << p;
        // One-shot cues start and end in silence; the clock's warning and the music loop.
        for (std::size_t i = 0; i < 3 && !music; ++i) {
            EXPECT_LT(std::abs(sound.mono[i]), 0.01f) << file << " starts with a click";
            EXPECT_LT(std::abs(sound.mono.rbegin()[i]), 0.01f) << file << " ends with a click";
        }
        if (music || file == "time.wav")
            expectSeamless(sound.mono, file);
        if (music) { // its loop point is not hidden in silence: it plays on across it
            auto start = sound.mono.begin();
            EXPECT_GT(std::sqrt(std::inner_product(start, start + 4410, start, 0.0) / 4410), 0.005);
        }
    }
}
