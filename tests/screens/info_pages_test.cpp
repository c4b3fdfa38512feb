#include "app/assets.hpp"
#include "app/pacing.hpp"
#include "app/return_button.hpp"
#include "app/sheet.hpp"
#include "game/main_menu.hpp"
#include "game/menu_actions.hpp"
#include "records/high_scores.hpp"
#include "screens/bonus_screen.hpp"
#include "screens/info_screen.hpp"
#include "support/glow.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

namespace {

// Steps in a script from `inLoop` count the page's loop frames: `frame(n)` is the flip that
// ends frame n.
constexpr int frame(int n) {
    return driver::loopFrame(n);
}

class InfoPages : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        records::HighScoreList = records::HighScoreListRecord{};
        standin::log() = standin::Log{};
    }

    static support::FrameScript inLoop() {
        return driver::inLoopOf(app::kPageReturn.plateAt.x, app::kPageReturn.plateAt.y,
                                &loopStart_);
    }
    static inline int loopStart_ = 0; // the flip before the loop's first frame

    // Runs a page with `script` and leaves it by its back button at loop frame `leave`.
    static void run(void (*screen)(), support::FrameScript script, int leave) {
        script.mouseAt(frame(leave), 400, 490, 1);
        driver::giveUpAfter(script).install();
        screen();
        game::returnToMenu(); // as the menu item does
    }

    // Back-button highlights drawn onto the display.
    static int buttonHighlights() {
        int n = 0;
        for (const auto& d : standin::drawsOf(app::Assets.screen)) {
            n += d.tinted && d.target == app::Assets.canvas && d.sx == 347 && d.sy == 482;
        }
        return n;
    }

    support::ScratchFolder folder;
};

TEST_F(InfoPages, OnlyALeftClickOnTheBackButtonLeavesWithOneClickSound) {
    for (auto screen : {screens::bonusScreen, screens::infoScreen}) {
        SetUp();
        auto script = inLoop();
        script
            .mouseAt(frame(2), 347, 490, 1) // left of the button
            .mouseAt(frame(6), 400, 490, 2)
            .mouseAt(frame(10), 400, 490, 3);
        run(screen, script, 16);
        const auto clicks = standin::playsOf("sam/menu.wav");
        ASSERT_EQ(clicks.size(), 1u);
        EXPECT_GE(clicks[0].frame, loopStart_ + 16) << "left too early";
        EXPECT_EQ(standin::textsWith("Opcje").size(), 1u) << "the menu was composed again";
    }
}

// Each phase of the pulsing stars shows its settled colour in one picture, from the
// first one of the phase; between phases nothing else is presented.
TEST_F(InfoPages, EachStarPhaseShowsItsSettledColourInOnePicture) {
    // The pages and their phases' length, in frames of a busy screen.
    for (const auto& [screen, half] :
         {std::pair{&screens::bonusScreen, 75}, std::pair{&screens::infoScreen, 100}}) {
        SetUp();
        run(screen, inLoop(), 400);
        const app::Rect star = app::sheet::kStarIcon;
        std::vector<double> shown;
        for (const standin::Presented& p : standin::log().presented) {
            if (p.frame <= loopStart_ || p.frame > loopStart_ + 400) {
                continue;
            }
            // Both pages light a star at (130, 400) or (150, 450) among others.
            for (const app::Point at : {app::Point{130, 400}, app::Point{150, 450}}) {
                const auto look = support::glowShown(p.frame, app::Assets.sheet, {star.x, star.y},
                                                     app::Assets.screen, {0, 0}, at);
                EXPECT_TRUE(look.layers == 0 || support::settledLook(look))
                    << "flip " << p.frame << ": " << look.layers;
            }
            shown.push_back(p.time);
        }
        ASSERT_GE(shown.size(), 4u);
        const double phase = half * app::kNominalFrame;
        const double phases = (shown.back() - shown.front()) / phase + 1;
        EXPECT_LE(static_cast<double>(shown.size()), phases + 1)
            << "more pictures than the phases need";
    }
}

TEST_F(InfoPages, TheBackButtonLightsFromItsCornerInward) {
    auto script = inLoop();
    script.mouseAt(frame(2), 347, 483, 0)
        .mouseAt(frame(6), 400, 482, 0)
        .at(frame(10), [] { EXPECT_EQ(buttonHighlights(), 0); })
        .mouseAt(frame(10), 348, 483, 0)
        .at(frame(14), [] { EXPECT_GT(buttonHighlights(), 0); });
    run(screens::infoScreen, script, 16);
}

using MenuItems = InfoPages;

TEST_F(MenuItems, EachItemOpensItsScreenAndComesBack) {
    struct Case {
        int item;
        int backY;
        const char* shown;
    };
    const Case cases[] = {
        {3, 490, "za każdą po"},
        {4, 540, "gra dla relaksu"},
        {5, 490, "Inne układy skazane są na niepowodzenie."},
        {6, 490, "Opcje"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown);
        SetUp();
        // The item is clicked once the menu is shown, the screen it opens left by its
        // back button once settled, then "Wyjście z gry" is chosen.
        const int itemY = 190 + 40 * (c.item - 1);
        support::FrameScript script;
        script.mouseAt(50, 400, itemY, 1)
            .mouseAt(53, 400, itemY, 0)
            .mouseAt(600, 400, c.backY, 1)
            .mouseAt(604, 400, c.backY, 0)
            .mouseAt(1000, 400, 430, 1);
        driver::giveUpAfter(script).install();
        game::mainMenu();
        EXPECT_FALSE(standin::textsWith(c.shown).empty());
        if (c.item == 5) {
            EXPECT_FALSE(
                standin::textsWith("Obrazki i dźwięki wygenerowane naszym własnym narzędziem.")
                    .empty())
                << "the credits claim borrowed pictures and sounds";
        }
        EXPECT_EQ(standin::textsWith("Nowa gra").size(), 2u) << "the menu came back";
    }
    EXPECT_TRUE(folder.exists("opc.txt")) << "the options are stored when left";
}

} // namespace
