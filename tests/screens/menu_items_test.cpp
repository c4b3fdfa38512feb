#include "app/assets.hpp"
#include "app/main_menu.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "records/screen_driver.hpp"
#include "saves/save_index.hpp"
#include "support/headless.hpp"

#include <gtest/gtest.h>

namespace {

// The menu's items open their screens and come back to the menu, which still works.
class MenuItems : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        records::HighScoreList = records::HighScoreListRecord{};
        standin::log() = standin::Log{};
    }

    // Clicks menu item `item` once the menu is shown, leaves the screen it opens by a
    // click at (x, y) after it has settled, then chooses "Wyjście z gry".
    void openAndLeave(int item, int x, int y) {
        const int itemY = 190 + 40 * (item - 1);
        support::FrameScript script;
        script.mouseAt(50, 400, itemY, 1)
            .mouseAt(53, 400, itemY, 0)
            .mouseAt(600, x, y, 1)
            .mouseAt(604, x, y, 0)
            .mouseAt(1000, 400, 430, 1);
        driver::giveUpAfter(script).install();
        app::mainMenu();
    }

    support::ScratchFolder folder;
};

TEST_F(MenuItems, BonusesOpenTheBonusTable) {
    openAndLeave(3, 400, 490);
    EXPECT_EQ(standin::textsWith("za każdą po").size(), 1u);
}

TEST_F(MenuItems, ResultsOpenTheListOfTheCurrentMode) {
    openAndLeave(4, 400, 540);
    EXPECT_EQ(standin::textsWith("gra dla relaksu").size(), 1u);
}

TEST_F(MenuItems, InformationOpensTheRules) {
    openAndLeave(5, 400, 490);
    EXPECT_EQ(standin::textsWith("Inne układy skazane są na niepowodzenie.").size(), 1u);
}

TEST_F(MenuItems, OptionsAreStoredWhenLeft) {
    openAndLeave(6, 400, 490);
    EXPECT_TRUE(folder.exists("opc.txt"));
}

} // namespace
