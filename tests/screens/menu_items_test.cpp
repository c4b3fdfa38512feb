#include "app/assets.hpp"
#include "app/main_menu.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "saves/save_index.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

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
        openAndLeave(c.item, 400, c.backY);
        EXPECT_FALSE(standin::textsWith(c.shown).empty());
    }
    EXPECT_TRUE(folder.exists("opc.txt")) << "the options are stored when left";
}

} // namespace
