#include "app/input.hpp"
#include "game/main_menu.hpp"
#include "records/list_screen.hpp"
#include "records/options_screen.hpp"
#include "screens/bonus_screen.hpp"
#include "screens/info_screen.hpp"
#include "support/frame_script.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A screen that waits for the player shows nothing new while nothing changes, so it must
// not present the same picture again and again; a move of the pointer is shown at once.
TEST(WaitingScreens, PresentOnlyWhatChangedAndShowAMoveAtOnce) {
    struct Case {
        const char* name;
        std::function<void()> run;
        int leaveX, leaveY;
        int idlePresentsPerSecond; // the bonus and rules pages blink their stars 10 times a second
    };
    const Case cases[] = {
        {"main menu", game::mainMenu, 400, 420, 0},
        {"list", records::listScreen, 400, 540, 0},
        {"options", records::optionsScreen, 400, 490, 0},
        {"bonus table", screens::bonusScreen, 400, 490, 10},
        {"rules", screens::infoScreen, 400, 490, 10},
    };
    support::ScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        support::startHeadless();
        standin::setMouse(10, 10, 0);
        int idleFrom = -1, idlePresents = -1, movedAt = -1, shownAt = -1;
        double idleSince = 0, idleSeconds = 0;
        const int loop = 400; // well inside the screen's loop, after its fades
        support::FrameScript script;
        script
            .at(loop,
                [&] {
                    idleFrom = standin::log().presents;
                    idleSince = standin::log().clock;
                })
            .at(loop + 300,
                [&] {
                    idlePresents = standin::log().presents - idleFrom;
                    idleSeconds = standin::log().clock - idleSince;
                    movedAt = standin::log().presents;
                    standin::setMouse(c.leaveX, c.leaveY, 0);
                })
            .at(loop + 303, [&] { shownAt = standin::log().presents; })
            .mouseAt(loop + 310, c.leaveX, c.leaveY, 1);
        driver::giveUpAfter(script).install();
        c.run();
        EXPECT_GT(idleSeconds, 1.0);
        EXPECT_LE(idlePresents, c.idlePresentsPerSecond * (idleSeconds + 0.5))
            << "in " << idleSeconds << " s with nothing to show";
        EXPECT_GT(shownAt, movedAt) << "the pointer's move is shown within two polls";
    }
}

// A real click can be shorter than the sleep of a waiting screen: it still counts.
TEST(WaitingScreens, AClickShorterThanAnyPollStillCounts) {
    support::startHeadless();
    support::FrameScript script;
    script.mouseAt(300, 400, 420, 0).at(320, [] {
        standin::quickClick(400, 420, app::kLeftButton);
    });
    driver::giveUpAfter(script).install();
    game::mainMenu(); // returns only through "Wyjście z gry"
    EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u);
}

} // namespace
