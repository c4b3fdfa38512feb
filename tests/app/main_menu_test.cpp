#include "app/assets.hpp"
#include "app/input.hpp"
#include "game/main_menu.hpp"
#include "records/options.hpp"
#include "support/frame_script.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kExitX = 400, kExitY = 420; // inside item 7

class MainMenu : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        app::Settings.effectsVolume = 1.0f;
        standin::log() = standin::Log{};
    }

    // Steps count the menu's frames: `frame(n)` places one at the flip that ends frame n.
    static support::FrameScript inMenu() { return driver::inLoopOf(285, 170, &menuStart_); }
    static int frame(int n) { return driver::loopFrame(n); }
    // The flip before the menu's first frame, once it has run.
    static inline int menuStart_ = 0;

    // Runs the menu with `script`, then leaves it through "Wyjście z gry" at `exitFrame`.
    static void runMenu(support::FrameScript script, int exitFrame) {
        script.mouseAt(frame(exitFrame), kExitX, kExitY, 0)
            .mouseAt(frame(exitFrame + 3), kExitX, kExitY, app::kLeftButton)
            .at(5000, [] { FAIL() << "the menu did not return"; })
            .install();
        game::mainMenu();
    }

    static int hoverCues() { return static_cast<int>(standin::playsOf("sam/menu.wav").size()); }
};

TEST_F(MainMenu, ItemBoxesExcludeTheTopEdgeAndIncludeTheOthers) {
    for (int item = 1; item <= 7; ++item) {
        SCOPED_TRACE(item);
        const int top = 172 + 40 * (item - 1), bottom = top + 27;
        EXPECT_EQ(game::menuItemAt(400, top), 0);
        EXPECT_EQ(game::menuItemAt(400, top + 1), item);
        EXPECT_EQ(game::menuItemAt(400, bottom), item);
        EXPECT_EQ(game::menuItemAt(400, bottom + 1), 0) << "the gap below";
        EXPECT_EQ(game::menuItemAt(291, bottom), item);
        EXPECT_EQ(game::menuItemAt(504, bottom), item);
        EXPECT_EQ(game::menuItemAt(290, bottom), 0);
        EXPECT_EQ(game::menuItemAt(505, bottom), 0);
    }
}

TEST_F(MainMenu, ShowsTheTitleAndTheSevenItemsInOrder) {
    game::composeMainMenu();
    const char* labels[] = {"Nowa gra",          "Dokończ grę", "Bonusy",       "Lista wyników",
                            "Informacje o grze", "Opcje",       "Wyjście z gry"};
    for (int i = 0; i < 7; ++i) {
        auto texts = standin::textsWith(labels[i]);
        ASSERT_EQ(texts.size(), 1u) << labels[i];
        EXPECT_EQ(texts[0].y, 173 + 40 * i);
    }
    EXPECT_FALSE(standin::textsWith("ORBELIUM").empty());
    EXPECT_EQ(al_get_target_bitmap(), app::Assets.canvas);
}

TEST_F(MainMenu, AnItemIsLitExactlyWhileHoveredAndSoundsOncePerEntry) {
    auto script = inMenu();
    script
        .mouseAt(frame(10), 400, 190, 0)  // onto item 1
        .mouseAt(frame(15), 400, 195, 0)  // still item 1
        .mouseAt(frame(20), 400, 205, 0)  // the gap between items 1 and 2
        .mouseAt(frame(35), 400, 225, 0)  // item 2
        .mouseAt(frame(40), 400, 265, 0); // straight to item 3 between two polls
    runMenu(script, 50);
    // Set after frame 10, seen by the poll of frame 11; leaving after frame 20 is likewise
    // seen at once. A move within the item wakes a pass that counts no frame of its own.
    std::vector<int> lit;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        if (d.tinted && d.sw == 211 && d.sy == 175) {
            lit.push_back(d.frame - menuStart_ + 1);
        }
    }
    ASSERT_FALSE(lit.empty());
    EXPECT_EQ(lit.front(), 11);
    EXPECT_EQ(lit.back(), 20);
    // Item 3 and then the exit item are reached without a poll in between: no new entry.
    EXPECT_EQ(hoverCues(), 2);
}

// The menu shown 1.8 times larger between bars on a 1920 x 1080 window: the items are hit
// where the player sees them, and a pointer on a bar at an item's height hits nothing.
TEST_F(MainMenu, InAWideWindowItemsAreHitWhereTheyAreShownAndTheBarsHitNothing) {
    standin::resizeWindow(1920, 1080);
    auto script = inMenu();
    script
        .mouseAt(frame(10), 960, 335, 0) // item 1, picture (400, 186)
        .mouseAt(frame(20), 100, 335, 0) // the left bar
        .mouseAt(frame(30), 960, 756, 0) // the exit item, picture (400, 420)
        .mouseAt(frame(33), 960, 756, app::kLeftButton)
        .at(5000, [] { FAIL() << "the menu did not return"; })
        .install();
    game::mainMenu();
    EXPECT_EQ(standin::log().presented.back().dx, 240);
    std::vector<int> lit;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        // Item 1's band, 175 units down: 315 pixels at the picture's 1.8 times.
        if (d.tinted && d.sy == 315 && d.target == app::Assets.canvas) {
            lit.push_back(d.frame - menuStart_ + 1);
        }
    }
    ASSERT_FALSE(lit.empty());
    EXPECT_EQ(lit.front(), 11);
    EXPECT_EQ(lit.back(), 20) << "nothing lit while the pointer is on the bar";
    EXPECT_EQ(hoverCues(), 2) << "item 1 and the exit item";
}

TEST_F(MainMenu, OnlyTheLeftButtonAloneChoosesAnItem) {
    auto script = inMenu();
    script.mouseAt(frame(5), kExitX, kExitY, 3)
        .mouseAt(frame(15), kExitX, kExitY, app::kRightButton);
    runMenu(script, 30);
    // Left by the click at frame 33: its fade-out ends 128 flips later.
    EXPECT_GE(standin::log().flips, menuStart_ + 33 + 128) << "the menu was left too early";
}

// Down from no light lights the first item, the arrows stop at the ends and sound once
// per item lit, Enter chooses the lit item.
TEST_F(MainMenu, TheArrowsMoveTheLightStoppingAtTheEndsAndEnterChooses) {
    auto script = inMenu();
    script.at(frame(5), [] {
        standin::pressKey(ALLEGRO_KEY_UP, 0); // nothing lit: nothing to move
        standin::pressKey(ALLEGRO_KEY_DOWN, 0);
        standin::pressKey(ALLEGRO_KEY_UP, 0);      // stays on the first
        standin::pressKey(ALLEGRO_KEY_DOWN, 0, 8); // held: to the last, and no further
        standin::pressKey(ALLEGRO_KEY_ENTER, 13);
    });
    script.at(5000, [] { FAIL() << "the menu did not return"; }).install();
    game::mainMenu();
    std::vector<int> lit;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        const int item = static_cast<int>(d.sy - 175) / 40 + 1;
        if (d.tinted && d.sw == 211 && (lit.empty() || lit.back() != item)) {
            lit.push_back(item);
        }
    }
    EXPECT_EQ(lit, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(hoverCues(), 7);
}

// A key answers the item lit when it was pressed, though the pointer moved on before the
// menu's next look: Enter over nothing chooses nothing, Enter over "Wyjście z gry" leaves.
TEST_F(MainMenu, AKeyChoosesWhatWasLitWhenItWasPressedNotWhereThePointerWentAfter) {
    auto script = inMenu();
    script.mouseAt(frame(2), 100, 100, 0)
        .at(frame(5),
            [] {
                standin::pressKey(ALLEGRO_KEY_ENTER, 13);
                standin::setMouse(400, 267, 0); // onto "Bonusy"
            })
        .mouseAt(frame(10), kExitX, kExitY, 0)
        .at(frame(15),
            [] {
                standin::pressKey(ALLEGRO_KEY_ENTER, 13);
                standin::setMouse(400, 267, 0);
            })
        .at(5000, [] { FAIL() << "the menu did not return"; })
        .install();
    game::mainMenu();
    EXPECT_TRUE(standin::textsWith("10 pkt").empty()) << "the bonus table opened";
    std::vector<int> lit;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        const int item = static_cast<int>(d.sy - 175) / 40 + 1;
        if (d.tinted && d.sw == 211 && (lit.empty() || lit.back() != item)) {
            lit.push_back(item);
        }
    }
    EXPECT_EQ(lit, (std::vector<int>{3, 7})) << "the pointer's later place lit after the key";
}

// A key pressed while the screen fades out ends the fade, ends the next screen's fade-in
// and is taken there: Escape on the way into the bonus table leaves it at once.
// A key during a fade-out ends it and is spent on it: the screen that comes next never
// takes it. One during a fade-in ends it and is taken by the screen that appears.
TEST_F(MainMenu, AKeyDuringAFadeOutIsSpentOnItAndOneDuringAFadeInIsTheNewScreens) {
    const std::string pageLine = ". . . . . . . . . . . . . . . . . . . . 10 pkt";
    int pageEscapeAt = 0;
    driver::Steps()
        .when([](int) { return !standin::textsWith("Nowa gra").empty(); },
              [] {
                  standin::pressKey(ALLEGRO_KEY_DOWN, 0, 2); // "Bonusy"
                  standin::pressKey(ALLEGRO_KEY_SPACE, ' ');
              })
        .when(
            [](int) {
                for (const auto& d : standin::drawsOf(app::Assets.screen)) {
                    if (d.tinted && d.sw == 800 && standin::rgba(d.tint).a > 140) {
                        return true; // the fade-out is under way
                    }
                }
                return false;
            },
            [] { standin::pressKey(ALLEGRO_KEY_ESCAPE, 27); })
        .when([&](int) { return !standin::textsWith(pageLine).empty(); },
              [&] {
                  pageEscapeAt = standin::log().flips;
                  standin::pressKey(ALLEGRO_KEY_ESCAPE, 27);
              })
        .when([](int) { return standin::textsWith("Nowa gra").size() == 2; },
              [] {
                  standin::pressKey(ALLEGRO_KEY_DOWN, 0, 3);
                  standin::pressKey(ALLEGRO_KEY_ENTER, 13);
              })
        .install();
    game::mainMenu();
    EXPECT_EQ(standin::textsWith(pageLine).size(), 1u) << "the bonus table appeared";
    const auto menus = standin::textsWith("Nowa gra");
    ASSERT_EQ(menus.size(), 2u) << "and Escape left it";
    EXPECT_GT(menus[1].frame, pageEscapeAt) << "the Escape of the fade-out left nothing";
    // The menu's fade-out and the page's fade-in were cut short: only the fades after
    // (out of the page, into the menu and out of it) ran whole.
    int fadeDraws = 0;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        fadeDraws += d.tinted && d.sw == 800;
    }
    EXPECT_LT(fadeDraws, 45 + 20 + 128 + 45 + 128);
}

} // namespace
