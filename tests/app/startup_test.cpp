#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/sound.hpp"
#include "app/startup.hpp"
#include "app/transitions.hpp"
#include "board/game_state.hpp"
#include "game/main_menu.hpp"
#include "game/settings_files.hpp"
#include "records/options.hpp"
#include "saves/save_index.hpp"
#include "support/frame_script.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using app::Settings;
using app::SoundCue;

class StartUp : public ::testing::Test {
  protected:
    void SetUp() override { support::resetWorld(); }
};

TEST_F(StartUp, LoadsEveryAssetAndKeysOutBlackOnTheSheetAndPlanetsOnly) {
    app::startUp();
    const auto& a = app::Assets;
    ASSERT_NE(a.display, nullptr);
    EXPECT_TRUE(a.sheet->maskedBlack);
    EXPECT_TRUE(a.planets->maskedBlack);
    EXPECT_FALSE(a.background->maskedBlack);
    EXPECT_FALSE(a.title->maskedBlack);
    ASSERT_TRUE(a.audio);
    for (int cue = 0; cue < app::kCueCount; ++cue) {
        EXPECT_NE(a.cues[cue], nullptr) << cue;
    }
    ASSERT_NE(a.music, nullptr);
    EXPECT_EQ(a.music->path, "sam/muzyczka.ogg");
    EXPECT_TRUE(a.music->attached);
    EXPECT_EQ(a.music->mode, ALLEGRO_PLAYMODE_LOOP);
    EXPECT_FALSE(a.music->playing);
}

TEST_F(StartUp, WithoutASoundDeviceTheGameRunsSilently) {
    standin::config().audioWorks = false;
    app::startUp();
    EXPECT_FALSE(app::Assets.audio);
    Settings.effectsVolume = 1.0f;
    app::playCue(SoundCue::Planety);
    app::startMusic();
    app::fadeOut();
    EXPECT_TRUE(standin::log().plays.empty());
}

TEST_F(StartUp, TitleFadesInWithItsChimeAndOutAgain) {
    bool sheetAtFirstFrame = true;
    standin::setFrameDriver([&](int flips) {
        if (flips == 1) {
            sheetAtFirstFrame = app::Assets.sheet != nullptr;
        }
    });
    app::startUp();
    EXPECT_FALSE(sheetAtFirstFrame) << "start-up shows the black frame before the pictures load";
    app::titleSequence();
    EXPECT_EQ(standin::drawsOf(app::Assets.title).size(), 1u);
    auto chimes = standin::playsOf("sam/planety.wav");
    ASSERT_EQ(chimes.size(), 1u);
    EXPECT_DOUBLE_EQ(chimes[0].time, 1.0); // after one second of black
    // One flip of black, 45 fade-in steps, 128 fade-out steps; the chime is cut at the end.
    EXPECT_EQ(standin::log().presents, 1 + 45 + 128);
    EXPECT_EQ(standin::log().stopSamplesCalls, 1);
}

TEST_F(StartUp, AKeyOrAClickSkipsTheIntro) {
    for (const bool key : {true, false}) {
        SCOPED_TRACE(key ? "a key" : "a click");
        support::resetWorld();
        app::startUp();
        standin::setRestDriver([key](double clock) {
            if (clock > 1.5 && clock < 1.6) { // while the title fades in
                key ? standin::pressKey(ALLEGRO_KEY_SPACE, ' ')
                    : standin::quickClick(400, 300, app::kLeftButton);
            }
        });
        app::titleSequence();
        EXPECT_LT(standin::log().clock, 3.0) << "the three seconds of the title were not waited";
        // The press ends the fade-in where it is, skips the title and is no one else's.
        EXPECT_LT(standin::log().presents, 1 + 45) << "no fade-out";
        EXPECT_EQ(app::takeKey(), 0);
        EXPECT_EQ(standin::log().stopSamplesCalls, 1) << "the chime stops";
    }
}

TEST_F(StartUp, ReadsTheOptionsAndTheCountAsFarAsTheyMakeSense) {
    support::ScratchFolder folder;
    struct Case {
        const char* what;
        const char* options; // nullptr: no file
        const char* count;
        float music, effects;
        int mode, saves;
    };
    const Case cases[] = {
        {"no files: silent, relaxed, no stored games", nullptr, nullptr, 0, 0, 0, 0},
        {"both volumes, the mode and the count", "0.37\n1.25\n1\n", "4", 0.37f, 1.25f, 1, 4},
        {"two numbers only give the relaxed game", "0.5 0.8", nullptr, 0.5f, 0.8f, 0, 0},
        {"a leading word stops every value", "x 0.8 1", nullptr, 0, 0, 0, 0},
        {"a word in the middle keeps what came before", "0.9 abc 1", nullptr, 0.9f, 0, 0, 0},
        {"a bad options file does not spoil the count", "garbage", "3\n", 0, 0, 0, 3},
        {"a word for the count stays zero", "0.5 0.5 0", "many", 0.5f, 0.5f, 0, 0},
        {"hand-edited extremes brought into range", "2.5 -4 7", "-2", app::kMaxVolume, 0, 0, 0},
        {"numbers too large to hold are not read at all", "1e40 0.4 1", "99999999999", 0, 0, 0, 0},
        {"a volume that is not a number is silence", "nan 0.4 1", nullptr, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        support::resetWorld();
        std::filesystem::remove(folder.path() / "opc.txt");
        std::filesystem::remove(folder.path() / "zg.txt");
        if (c.options) {
            folder.write("opc.txt", c.options);
        }
        if (c.count) {
            folder.write("zg.txt", c.count);
        }
        game::readSettingsFiles();
        EXPECT_FLOAT_EQ(Settings.musicVolume, c.music);
        EXPECT_FLOAT_EQ(Settings.effectsVolume, c.effects);
        EXPECT_EQ(board::GameState.mode, c.mode);
        EXPECT_EQ(saves::SaveIndex.count, c.saves);
    }
}

using StartUpDeath = StartUp;

TEST_F(StartUpDeath, AMissingPictureFontOrSoundIsNamedInOneMessageAndEndsWithCodeOne) {
    const char* cases[][2] = {
        {"gr/elementy.png", "obrazka"}, {"arialbd.ttf", "czcionki"}, {"sam/time.wav", "dźwięku"}};
    for (const auto& [file, what] : cases) {
        standin::config().missingFiles = {file};
        const std::string message =
            std::string("^orbelium: nie można wczytać ") + what + ": \"" + file + "\"\n$";
        EXPECT_EXIT(app::startUp(), ::testing::ExitedWithCode(1), message);
    }
}

TEST_F(StartUpDeath, AWindowThatCannotOpenOrNoKeyboardOrMouseEndsWithCodeOne) {
    standin::config().displayWorks = false;
    EXPECT_EXIT(app::startUp(), ::testing::ExitedWithCode(1), "^orbelium: [^\n]*okna[^\n]*\n$");
    standin::config().displayWorks = true;
    standin::config().keyboardWorks = false;
    EXPECT_EXIT(app::startUp(), ::testing::ExitedWithCode(1), "^orbelium: [^\n]*klawiatury\n$");
    standin::config().keyboardWorks = true;
    standin::config().mouseWorks = false;
    EXPECT_EXIT(app::startUp(), ::testing::ExitedWithCode(1), "^orbelium: [^\n]*myszy\n$");
}

TEST_F(StartUp, AWindowRefusedForAMomentIsTriedAgainForAboutTwoSeconds) {
    standin::config().displayRefusals = 5;
    app::startUp();
    EXPECT_NE(app::Assets.display, nullptr);
    EXPECT_NEAR(standin::log().clock, 1.0, 0.05);
}

TEST_F(StartUpDeath, TheWindowsCloseButtonEndsTheGameFromTheMenu) {
    app::startUp();
    support::FrameScript script;
    script.at(60, [] { standin::clickWindowClose(); });
    script.install();
    EXPECT_EXIT(game::mainMenu(), ::testing::ExitedWithCode(0), "");
}

class Sound : public ::testing::Test {
  protected:
    void SetUp() override { support::startHeadless(); }
};

TEST_F(Sound, ACuePlaysItsFileAtItsShareOfTheEffectsVolumeNeverBelowSilence) {
    struct Case {
        SoundCue cue;
        const char* file;
        float volume, gain;
    };
    const Case cases[] = {
        {SoundCue::Menu, "sam/menu.wav", 0.5f, 0.3f},
        {SoundCue::Time, "sam/time.wav", 0.5f, 1.0f},
        {SoundCue::S7, "sam/s7.wav", 0.5f, 0.5f},
        {SoundCue::Take, "sam/take.wav", 0.0f, 0.5f},
        {SoundCue::Kreski, "sam/kreski.wav", 0.0f, 0.0f},
        {SoundCue::Menu, "sam/menu.wav", 0.0f, 0.0f}, // -0.2 passed as silence
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " at " + std::to_string(c.volume));
        Settings.effectsVolume = c.volume;
        standin::log().plays.clear();
        app::playCue(c.cue);
        ASSERT_EQ(standin::log().plays.size(), 1u);
        EXPECT_EQ(standin::log().plays[0].path, c.file);
        EXPECT_FLOAT_EQ(standin::log().plays[0].gain, c.gain);
    }
}

TEST_F(Sound, MusicLoopsAtItsVolumeAndFadesOutNeverReachingZeroThenStopsWithEveryCue) {
    Settings.musicVolume = 0.1f;
    app::startMusic();
    EXPECT_TRUE(app::Assets.music->playing);
    EXPECT_EQ(app::Assets.music->mode, ALLEGRO_PLAYMODE_LOOP);
    EXPECT_FLOAT_EQ(app::Assets.music->gain, 0.1f);
    app::playCue(SoundCue::Time);
    app::Assets.music->gains.clear();
    app::fadeOut();
    // The ramp takes 0.1 to zero in about 20 of its 128 steps; zero or below is never set.
    EXPECT_GE(app::Assets.music->gains.size(), 19u);
    EXPECT_LE(app::Assets.music->gains.size(), 20u);
    for (float gain : app::Assets.music->gains) {
        EXPECT_GT(gain, 0.0f);
    }
    EXPECT_FALSE(app::Assets.music->playing);
    EXPECT_EQ(standin::activeLoops(), 0) << "the warning loop stops too";
    app::startMusic();
    EXPECT_EQ(app::Assets.music->startsAtStart, (std::vector<bool>{true, true}))
        << "the music starts again from its beginning";
}

} // namespace
