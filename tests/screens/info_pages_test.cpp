#include "app/assets.hpp"
#include "app/return_button.hpp"
#include "game/main_menu.hpp"
#include "game/menu_actions.hpp"
#include "records/high_scores.hpp"
#include "screens/bonus_screen.hpp"
#include "screens/info_screen.hpp"
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
