#include "app/assets.hpp"
#include "app/input.hpp"
#include "app/main_menu.hpp"
#include "app/sound.hpp"
#include "app/startup.hpp"
#include "app/transitions.hpp"
#include "records/options.hpp"
#include "support/frame_script.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

namespace {

class StartUp : public ::testing::Test {
  protected:
    void SetUp() override { support::resetWorld(); }
};

TEST_F(StartUp, LoadsEveryAssetAndKeysOutBlackOnTheSheetAndPlanetsOnly) {
    app::startUp();
    const auto& a = app::Assets;
    ASSERT_NE(a.display, nullptr);
    EXPECT_EQ(a.screen->w, 800);
    EXPECT_EQ(a.scratch->h, 600);
    EXPECT_EQ(a.strip->h, 50);
    EXPECT_TRUE(a.sheet->maskedBlack);
    EXPECT_TRUE(a.planets->maskedBlack);
    EXPECT_FALSE(a.background->maskedBlack);
    EXPECT_FALSE(a.title->maskedBlack);
    EXPECT_EQ(a.font34->path, "arial.ttf");
    EXPECT_TRUE(a.audio);
    for (int cue = 0; cue < app::kCueCount; ++cue) {
        ASSERT_NE(a.cues[cue], nullptr);
        EXPECT_EQ(a.cues[cue]->path, app::cueParams(static_cast<app::SoundCue>(cue)).file);
    }
    ASSERT_NE(a.music, nullptr);
    EXPECT_EQ(a.music->sample->path, "sam/muzyczka.ogg");
    EXPECT_TRUE(a.music->attached);
    EXPECT_EQ(a.music->mode, ALLEGRO_PLAYMODE_LOOP);
    EXPECT_FALSE(a.music->playing);
}

TEST_F(StartUp, WithoutASoundDeviceTheGameRunsSilently) {
    standin::config().audioWorks = false;
    app::startUp();
    EXPECT_FALSE(app::Assets.audio);
    records::Options.effectsVolume = 1.0f;
    app::playCue(app::SoundCue::Planety);
    app::startMusic();
    app::fadeOut();
    EXPECT_TRUE(standin::log().plays.empty());
}

TEST_F(StartUp, TitleFadesInWithItsChimeAndOutAgain) {
    app::startUp();
    records::Options.effectsVolume = 0.5f;
    app::titleSequence();
    auto titleDraws = standin::drawsOf(app::Assets.title);
    ASSERT_EQ(titleDraws.size(), 1u);
    EXPECT_EQ(titleDraws[0].target, app::Assets.screen);
    EXPECT_EQ(titleDraws[0].dx, 150);
    EXPECT_EQ(titleDraws[0].dy, 200);
    auto chimes = standin::playsOf("sam/planety.wav");
    ASSERT_EQ(chimes.size(), 1u);
    EXPECT_DOUBLE_EQ(chimes[0].time, 1.0); // after one second of black
    // One flip of black, 45 fade-in steps, 128 fade-out steps; the chime is cut at the end.
    EXPECT_EQ(standin::log().flips, 1 + 45 + 128);
    EXPECT_EQ(standin::log().stopSamplesCalls, 1);
    EXPECT_NEAR(standin::log().clock, 1.0 + 45 * 0.03 + 3.0 + 128 * 0.005, 1e-9);
}

using StartUpDeath = StartUp;

TEST_F(StartUpDeath, AMissingPictureFontOrSoundIsNamedOnStderrAndEndsWithCodeOne) {
    for (const char* file : {"gr/elementy.png", "arialbd.ttf", "sam/time.wav"}) {
        standin::config().missingFiles = {file};
        EXPECT_EXIT(app::startUp(), ::testing::ExitedWithCode(1), file);
    }
}

TEST_F(StartUpDeath, AWindowThatCannotOpenEndsWithCodeOne) {
    standin::config().displayWorks = false;
    EXPECT_EXIT(app::startUp(), ::testing::ExitedWithCode(1), "okna");
}

TEST_F(StartUpDeath, TheWindowsCloseButtonEndsTheGameFromTheMenu) {
    app::startUp();
    support::FrameScript script;
    script.at(60, [] { standin::clickWindowClose(); });
    script.install();
    EXPECT_EXIT(app::mainMenu(), ::testing::ExitedWithCode(0), "");
}

} // namespace
