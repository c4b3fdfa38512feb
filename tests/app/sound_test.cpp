#include "app/events.hpp"
#include "app/settings.hpp"
#include "app/sound.hpp"
#include "app/startup.hpp"
#include "app/transitions.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

namespace {

using app::SoundCue;

// The sound device's voice runs while the default mixer is attached to it.
bool voiceRuns() {
    return al_get_voice_playing(al_get_default_voice());
}

class QuietAudio : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        app::Settings.musicVolume = 0.5f;
    }
};

// A stop of the voice that never returns (the driver lost its wake-up) does not freeze the
// game: it is made again, the voice stops, a cue wakes it as before, and the device, with
// a stop still waiting on it, is not closed at the end.
TEST_F(QuietAudio, AStopThatNeverReturnsIsMadeAgainAndTheGameGoesOnWithItsSound) {
    app::playCue(SoundCue::Menu);
    ASSERT_TRUE(voiceRuns());
    standin::config().voiceStopHangs = true;
    app::waitForEvents(5.0);
    EXPECT_FALSE(voiceRuns()) << "the stop made again stopped it";
    app::playCue(SoundCue::Menu);
    EXPECT_TRUE(voiceRuns()) << "a cue wakes it";
    EXPECT_FALSE(app::audioCloses());
}

TEST_F(QuietAudio, ASleepStopsTheVoiceWhenTheLastCueIsHeardOutAndACueWakesItAtOnce) {
    app::waitForEvents(1.0);
    ASSERT_FALSE(voiceRuns()) << "nothing sounds after the start-up";
    app::playCue(SoundCue::Menu);
    EXPECT_TRUE(voiceRuns()) << "woken before the cue plays, not at the next sleep";
    app::waitForEvents(0.5);
    app::playCue(SoundCue::Snd1); // a stand-in sample lasts 1 s; this one plays slowed
    const double snd1Over = standin::log().clock + 1.0 / app::cueParams(SoundCue::Snd1).speed;
    double lastRunning = -1; // the sleep's last rest that ended with the voice running
    standin::setRestDriver([&](double clock) {
        if (voiceRuns()) {
            lastRunning = clock;
        }
    });
    const double sleptFrom = standin::log().clock;
    EXPECT_FALSE(app::waitForEvents(5.0));
    EXPECT_NEAR(standin::log().clock - sleptFrom, 5.0, 1e-6) << "the sleep is not cut short";
    EXPECT_FALSE(voiceRuns());
    // Past the end of what the mixer reads: the device still holds a buffer or more of it.
    EXPECT_GT(lastRunning, snd1Over + 0.05) << "the later cue is heard to its end";
    EXPECT_LT(lastRunning, snd1Over + 0.5) << "stopped in the sleep, not at its end";
}

TEST_F(QuietAudio, MusicHeldAtNoVolumeLetsTheVoiceStopAndRaisingItWakesIt) {
    app::startMusic();
    app::waitForEvents(5.0);
    EXPECT_TRUE(voiceRuns()) << "the music plays on";
    app::setMusicGain(0.0f);
    app::waitForEvents(1.0);
    EXPECT_FALSE(voiceRuns());
    app::setMusicGain(0.3f);
    EXPECT_TRUE(voiceRuns());
    app::Settings.musicVolume = 0.0f;
    app::startMusic();
    app::waitForEvents(1.0);
    EXPECT_FALSE(voiceRuns()) << "music started at no volume waits held";
}

TEST_F(QuietAudio, ALoopingCueKeepsTheVoiceRunningUntilTheFadeStopsEveryCue) {
    app::playCue(SoundCue::Time);
    app::waitForEvents(5.0);
    EXPECT_TRUE(voiceRuns());
    app::fadeOut();
    app::waitForEvents(1.0);
    EXPECT_FALSE(voiceRuns());
}

// No voice to look at: the sleep is a plain one.
TEST(QuietAudioWithoutDevice, ASleepAfterACueIsAPlainSleep) {
    support::resetWorld();
    standin::config().audioWorks = false;
    app::startUp();
    app::playCue(SoundCue::Menu);
    EXPECT_FALSE(app::waitForEvents(1.0));
}

} // namespace
