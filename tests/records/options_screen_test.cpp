#include "app/assets.hpp"
#include "app/startup.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "records/options.hpp"
#include "records/options_screen.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using board::GameState;
using records::Options;
using standin::Rgba;

// The options loop starts after the fade-out (128 flips) and the fade-in (45 flips).
constexpr int kLoopStart = 173;
constexpr int frame(int n) {
    return kLoopStart + n;
}

constexpr int kReturnX = 400, kReturnY = 490;
constexpr int kModeX = 520, kModeY = 285;
constexpr int kDeleteX = 520, kDeleteY = 245;

// Releases every mouse button once `seconds` of the virtual clock have passed from now,
// whether the game is between frames or waiting for the release.
void releaseAfter(double seconds) {
    const double until = standin::log().clock + seconds;
    standin::setRestDriver([until](double clock) {
        if (clock >= until) {
            ALLEGRO_MOUSE_STATE now;
            al_get_mouse_state(&now);
            standin::setMouse(now.x, now.y, 0);
            standin::setRestDriver(nullptr);
        }
    });
}

// A press held for `seconds` at (x, y), starting at `flip`.
support::FrameScript& hold(support::FrameScript& script, int flip, int x, int y, double seconds) {
    return script.at(flip, [=] {
        standin::setMouse(x, y, 1);
        releaseAfter(seconds);
    });
}

class OptionsScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        records::HighScoreList = records::HighScoreListRecord{};
        Options.musicVolume = 0.5f;
        Options.effectsVolume = 0.8f;
        standin::log() = standin::Log{};
    }

    // Runs the screen with `script` and leaves it by the return button at loop frame `leave`.
    void run(support::FrameScript script, int leave) {
        script.mouseAt(frame(leave), kReturnX, kReturnY, 1);
        driver::giveUpAfter(script).install();
        records::optionsScreen();
    }

    static std::vector<standin::TextDraw> backbufferTexts(const std::string& text) {
        std::vector<standin::TextDraw> out;
        for (const auto& t : standin::textsWith(text)) {
            if (t.target == standin::backbuffer()) {
                out.push_back(t);
            }
        }
        return out;
    }

    support::ScratchFolder folder;
};

TEST_F(OptionsScreen, LeavingStoresTheSlidersAndTheModeInTheOptionsFile) {
    support::FrameScript script;
    script
        .mouseAt(frame(5), 484, 165, 1) // music at 0.37
        .mouseAt(frame(10), 484, 165, 0)
        .mouseAt(frame(12), 547, 205, 1) // effects at 1.00
        .mouseAt(frame(16), 547, 205, 0);
    hold(script, frame(20), kModeX, kModeY, 0.05);
    run(script, 40);
    EXPECT_EQ(folder.read("opc.txt"), "0.37\n1\n1\n");
    EXPECT_FALSE(folder.exists("opc.txt.~new"));

    Options = records::OptionsRecord{};
    GameState.mode = 0;
    app::readSettingsFiles();
    EXPECT_FLOAT_EQ(Options.musicVolume, 0.37f);
    EXPECT_FLOAT_EQ(Options.effectsVolume, 1.0f);
    EXPECT_EQ(GameState.mode, board::GameMode::Timed);
}

TEST_F(OptionsScreen, TheMusicPlaysOnceAndFollowsItsSliderAtOnce) {
    support::FrameScript script;
    script
        .at(frame(1),
            [] {
                EXPECT_TRUE(app::Assets.music->playing);
                EXPECT_FLOAT_EQ(app::Assets.music->gains.back(), 0.5f);
            })
        .mouseAt(frame(5), 447, 170, 1)
        .at(frame(8),
            [] {
                ASSERT_FALSE(app::Assets.music->gains.empty());
                EXPECT_EQ(app::Assets.music->gains.back(), 0.0f);
                EXPECT_EQ(Options.musicVolume, 0.0f);
            })
        .mouseAt(frame(10), 597, 170, 1)
        .at(frame(13),
            [] {
                EXPECT_FLOAT_EQ(app::Assets.music->gains.back(), 1.5f);
                EXPECT_FLOAT_EQ(Options.musicVolume, 1.5f);
            })
        .mouseAt(frame(14), 598, 170, 1) // beyond the track: unchanged
        .mouseAt(frame(18), 597, 170, 0);
    run(script, 25);
    EXPECT_EQ(app::Assets.music->mode, ALLEGRO_PLAYMODE_ONCE);
    EXPECT_FLOAT_EQ(Options.musicVolume, 1.5f);
    EXPECT_FALSE(backbufferTexts("150").empty());
    EXPECT_FALSE(app::Assets.music->playing) << "the fade-out stops the music";
}

TEST_F(OptionsScreen, TheEffectsSliderSetsTheVolumeWithoutPlayingAndIgnoresTopEdgeAndRightButton) {
    support::FrameScript script;
    script
        .mouseAt(frame(5), 500, 157, 1) // the music slider's top edge
        .mouseAt(frame(9), 500, 170, 2) // the right button on it
        .mouseAt(frame(13), 500, 210, 1)
        .mouseAt(frame(17), 500, 210, 0);
    run(script, 25);
    EXPECT_FLOAT_EQ(Options.effectsVolume, 0.53f);
    EXPECT_FLOAT_EQ(Options.musicVolume, 0.5f);
    EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u); // the return click only
}

TEST_F(OptionsScreen, TheModeChangesOncePerPressHoweverLongItIsHeld) {
    struct Case {
        const char* what;
        int from;
        std::vector<double> presses; // seconds held
        int to;
        std::size_t timedLabels;
    };
    const Case cases[] = {
        {"one long press", 0, {0.5}, 1, 1},
        {"two presses", 1, {0.02, 0.02}, 1, 2},
        {"an unknown mode shows no label and becomes relaxed", 5, {0.02}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        GameState.mode = c.from;
        support::FrameScript script;
        for (std::size_t i = 0; i < c.presses.size(); ++i) {
            hold(script, frame(5 + 25 * static_cast<int>(i)), kModeX, kModeY, c.presses[i]);
        }
        run(script, 55);
        EXPECT_EQ(GameState.mode, c.to);
        EXPECT_EQ(backbufferTexts("Gra na czas").size(), c.timedLabels);
    }
}

TEST_F(OptionsScreen, DeletingTheListRemovesItsFileAndEmptiesTheListInMemory) {
    folder.write("lic.txt", records::encodeListText("Czas 2 20 "));
    folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
    GameState.mode = board::GameMode::Timed;
    records::HighScoreList.entry[1] = records::HighScoreEntry{"Stary", 3, 40};
    support::FrameScript script;
    hold(script, frame(5), kDeleteX, kDeleteY, 0.02);
    script.at(frame(8), [] {
        EXPECT_EQ(standin::textsWith("Lista wyników gry na czas - skasowana").size(), 1u);
    });
    run(script, 15);
    EXPECT_FALSE(folder.exists("lic.txt"));
    EXPECT_TRUE(folder.exists("lir.txt"));
    EXPECT_EQ(records::HighScoreList.entry[1].score, 0);
    auto message = backbufferTexts("Lista wyników gry na czas - skasowana");
    ASSERT_GT(message.size(), 5u);
    EXPECT_EQ(standin::rgba(message[0].colour), (Rgba{200, 80, 80, 255}));
    // The row offered the deletion until then, and never after.
    const auto offers = backbufferTexts("Kasowanie listy wyników");
    ASSERT_FALSE(offers.empty());
    EXPECT_LT(offers.back().frame, message[0].frame);
}

TEST_F(OptionsScreen, WithoutTheListFileTheRowSaysItIsDeletedAndHasNoButton) {
    support::FrameScript script;
    hold(script, frame(5), kDeleteX, kDeleteY, 0.02);
    run(script, 15);
    auto message = backbufferTexts("Lista wyników gry dla relaksu - skasowana");
    EXPECT_GT(message.size(), 10u);
    EXPECT_TRUE(backbufferTexts("Kasowanie listy wyników").empty());
    for (const auto& d : standin::drawsOf(app::Assets.sheet)) {
        EXPECT_FALSE(d.sx == 150 && d.sy == 670) << "the delete button was drawn";
    }
}

TEST_F(OptionsScreen, WithoutAnOptionsFileOneVisitWritesTheShownValues) {
    Options = records::OptionsRecord{};
    run(support::FrameScript{}, 5);
    EXPECT_EQ(folder.read("opc.txt"), "0\n0\n0\n");
}

TEST_F(OptionsScreen, ValuesFarOutsideTheSliderAreDrawnWithoutOverflow) {
    Options.musicVolume = 1e30f;
    Options.effectsVolume = std::numeric_limits<float>::quiet_NaN();
    run(support::FrameScript{}, 5);
    EXPECT_EQ(backbufferTexts("1000000000").size(), 1u);
    EXPECT_EQ(backbufferTexts("0").size(), 1u);
}

TEST_F(OptionsScreen, OnlyTheReturnButtonLeaves) {
    support::FrameScript script;
    script
        .mouseAt(frame(3), 400, 482, 1) // top edge
        .mouseAt(frame(6), 400, 490, 2)
        .mouseAt(frame(9), 0, 0, 0)
        .at(frame(14), [this] { EXPECT_FALSE(folder.exists("opc.txt")) << "left too early"; });
    run(script, 20);
    EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u);
    EXPECT_EQ(standin::textsWith("Nowa gra").size(), 1u);
}

} // namespace
