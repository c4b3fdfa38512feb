#include "app/assets.hpp"
#include "app/sound.hpp"
#include "app/transitions.hpp"
#include "records/options.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

namespace {

using app::SoundCue;
using records::Options;

class Sound : public ::testing::Test {
  protected:
    void SetUp() override { support::startHeadless(); }

    standin::SamplePlay playOnce(SoundCue cue) {
        standin::log().plays.clear();
        app::playCue(cue);
        EXPECT_EQ(standin::log().plays.size(), 1u);
        return standin::log().plays.at(0);
    }
};

TEST_F(Sound, CueGainsFollowTheEffectsVolume) {
    Options.effectsVolume = 0.5f;
    EXPECT_FLOAT_EQ(playOnce(SoundCue::Take).gain, 1.0f);
    EXPECT_FLOAT_EQ(playOnce(SoundCue::Menu).gain, 0.3f);
    EXPECT_FLOAT_EQ(playOnce(SoundCue::Time).gain, 1.0f);
    EXPECT_FLOAT_EQ(playOnce(SoundCue::Gw1).gain, 0.8f);
    EXPECT_FLOAT_EQ(playOnce(SoundCue::S7).gain, 0.5f);
}

TEST_F(Sound, AtZeroVolumeOnlyCuesWithAPositiveOffsetSound) {
    Options.effectsVolume = 0.0f;
    EXPECT_FLOAT_EQ(playOnce(SoundCue::Take).gain, 0.5f);
    EXPECT_FLOAT_EQ(playOnce(SoundCue::Gw1).gain, 0.3f);
    EXPECT_FLOAT_EQ(playOnce(SoundCue::KoniecEt).gain, 0.2f);
    EXPECT_EQ(playOnce(SoundCue::Kreski).gain, 0.0f);
    // A negative gain is passed as silence, never below zero.
    EXPECT_EQ(playOnce(SoundCue::Menu).gain, 0.0f);
    EXPECT_EQ(playOnce(SoundCue::Snd1).gain, 0.0f);
}

TEST_F(Sound, EachCuePlaysItsOwnFileAtItsSpeedCentred) {
    Options.effectsVolume = 1.0f;
    struct Expect {
        SoundCue cue;
        const char* file;
        float speed;
        ALLEGRO_PLAYMODE mode;
    };
    const Expect table[] = {
        {SoundCue::Snd1, "sam/snd1.wav", 0.7f, ALLEGRO_PLAYMODE_ONCE},
        {SoundCue::Planety, "sam/planety.wav", 0.9f, ALLEGRO_PLAYMODE_ONCE},
        {SoundCue::KoniecEt, "sam/koniecet.wav", 0.7f, ALLEGRO_PLAYMODE_ONCE},
        {SoundCue::StrUse6, "sam/str_use_6.wav", 0.7f, ALLEGRO_PLAYMODE_ONCE},
        {SoundCue::Time, "sam/time.wav", 0.8f, ALLEGRO_PLAYMODE_LOOP},
        {SoundCue::BrakCzasu, "sam/brakczasu.wav", 0.8f, ALLEGRO_PLAYMODE_ONCE},
        {SoundCue::Menu, "sam/menu.wav", 1.0f, ALLEGRO_PLAYMODE_ONCE},
    };
    for (const Expect& e : table) {
        standin::SamplePlay play = playOnce(e.cue);
        EXPECT_EQ(play.path, e.file);
        EXPECT_FLOAT_EQ(play.speed, e.speed) << e.file;
        EXPECT_EQ(play.mode, e.mode) << e.file;
        EXPECT_EQ(play.pan, 0.0f) << e.file;
    }
}

TEST_F(Sound, MusicStartsLoopingAtTheMusicVolume) {
    Options.musicVolume = 0.37f;
    app::startMusic();
    ASSERT_NE(app::Assets.music, nullptr);
    EXPECT_TRUE(app::Assets.music->playing);
    EXPECT_EQ(app::Assets.music->mode, ALLEGRO_PLAYMODE_LOOP);
    EXPECT_FLOAT_EQ(app::Assets.music->gain, 0.37f);
}

TEST_F(Sound, FadeOutRampsTheMusicDownNeverBelowZeroThenStopsEverySound) {
    Options.musicVolume = 1.0f;
    app::startMusic();
    app::playCue(SoundCue::Time);
    app::Assets.music->gains.clear();
    const int flipsBefore = standin::log().flips;
    app::fadeOut();
    EXPECT_EQ(standin::log().flips - flipsBefore, 128);
    ASSERT_EQ(app::Assets.music->gains.size(), 128u);
    EXPECT_NEAR(app::Assets.music->gains.front(), 0.995f, 1e-5);
    EXPECT_NEAR(app::Assets.music->gains.back(), 0.36f, 1e-4);
    EXPECT_FALSE(app::Assets.music->playing);
    EXPECT_EQ(standin::activeLoops(), 0);

    // Quiet music reaches zero after about 20 steps; the gain is never set to zero or below.
    Options.musicVolume = 0.1f;
    app::startMusic();
    app::Assets.music->gains.clear();
    app::fadeOut();
    EXPECT_GE(app::Assets.music->gains.size(), 19u);
    EXPECT_LE(app::Assets.music->gains.size(), 20u);
    for (float gain : app::Assets.music->gains) {
        EXPECT_GT(gain, 0.0f);
    }
}

} // namespace
