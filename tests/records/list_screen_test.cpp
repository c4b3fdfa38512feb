#include "app/assets.hpp"
#include "board/game_state.hpp"
#include "records/high_scores.hpp"
#include "records/list_screen.hpp"
#include "records/name_entry.hpp"
#include "support/headless.hpp"
#include "support/screen_driver.hpp"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using board::GameState;
using standin::Rgba;

constexpr Rgba kDim{60, 80, 100, 255};
constexpr Rgba kBright{120, 140, 160, 255};

class ListScreen : public ::testing::Test {
  protected:
    void SetUp() override {
        support::startHeadless();
        records::HighScoreList = records::HighScoreListRecord{};
        records::newEntryIndex = 0;
        standin::log() = standin::Log{};
    }

    // Opens the screen and leaves it by a click on its return button at `clickFlip`.
    void run(int clickFlip = 200) {
        support::FrameScript script;
        script.mouseAt(clickFlip, 400, 540, 1);
        driver::giveUpAfter(script).install();
        records::listScreen();
    }

    // Texts drawn into the screen buffer at row y.
    static std::vector<standin::TextDraw> rowTexts(int row) {
        std::vector<standin::TextDraw> out;
        for (const auto& t : standin::log().texts) {
            if (t.target == app::Assets.screen && t.y == 110 + 20 * (row - 1)) {
                out.push_back(t);
            }
        }
        return out;
    }

    // A game ends with 500 points and the player enters "Ewa"; the list screen follows.
    static void recordEwaWith500() {
        GameState.nameEntryDue = 1;
        GameState.score = 500;
        standin::setMouse(400, 540, 1);
        support::FrameScript script;
        script.at(1, [] { driver::press(driver::typedThenEnter("Ewa")); });
        driver::giveUpAfter(script).install();
        records::nameEntry();
    }

    static int rowHighlights() {
        int n = 0;
        for (const auto& d : standin::drawsOf(app::Assets.screen)) {
            n += d.target == app::Assets.screen && d.tinted;
        }
        return n;
    }

    support::ScratchFolder folder;
};

TEST_F(ListScreen, WithoutAFileTwentyRowsShowTheirNumberAndADimZero) {
    run();
    for (int row = 1; row <= 20; ++row) {
        const auto texts = rowTexts(row);
        ASSERT_EQ(texts.size(), 2u) << row;
        EXPECT_EQ(texts[0].text, std::to_string(row) + ".");
        EXPECT_EQ(texts[1].text, "0");
        EXPECT_EQ(standin::rgba(texts[1].colour), kDim);
    }
}

TEST_F(ListScreen, RowsShowNameLevelAndScoreAsRead) {
    folder.write("lir.txt", records::encodeListText("Żaneta 4 1250 ... 2 30 Bez 0 20 Minus 1 -5 "));
    run();
    auto first = rowTexts(1);
    ASSERT_EQ(first.size(), 4u);
    EXPECT_EQ(first[1].text, "Żaneta");
    EXPECT_EQ(first[1].x, 250);
    EXPECT_EQ(standin::rgba(first[1].colour), kBright);
    EXPECT_EQ(first[2].text, "4");
    EXPECT_EQ(first[2].x, 440);
    EXPECT_EQ(standin::rgba(first[2].colour), kDim);
    EXPECT_EQ(first[3].text, "1250");
    EXPECT_EQ(standin::rgba(first[3].colour), kBright);
    auto second = rowTexts(2); // "..." shows no name
    ASSERT_EQ(second.size(), 3u);
    EXPECT_EQ(second[1].text, "2");
    auto third = rowTexts(3); // level 0 shows no level
    ASSERT_EQ(third.size(), 3u);
    EXPECT_EQ(third[1].text, "Bez");
    EXPECT_EQ(third[2].text, "20");
    auto fourth = rowTexts(4); // a negative score shows nothing
    ASSERT_EQ(fourth.size(), 3u);
    EXPECT_EQ(fourth[2].text, "1");
}

TEST_F(ListScreen, EachModeShowsItsTitleAndItsListAndAnyOtherModeNeither) {
    folder.write("lir.txt", records::encodeListText("Relaks 1 10 "));
    folder.write("lic.txt", records::encodeListText("Czas 2 20 "));
    struct Case {
        int mode;
        const char* title; // and the name shown
        const char* name;
    };
    for (const Case& c : {Case{0, "gra dla relaksu", "Relaks"}, Case{1, "gra na czas", "Czas"},
                          Case{7, nullptr, nullptr}}) {
        SCOPED_TRACE(c.mode);
        SetUp();
        GameState.mode = c.mode;
        run();
        EXPECT_EQ(standin::textsWith("gra dla relaksu").size() +
                      standin::textsWith("gra na czas").size(),
                  c.title ? 1u : 0u);
        if (c.title) {
            EXPECT_EQ(standin::textsWith(c.title).size(), 1u);
            EXPECT_EQ(standin::textsWith(c.name).size(), 1u);
        }
        EXPECT_EQ(standin::textsWith("Relaks").size(), c.mode == 0 ? 1u : 0u);
    }
}

TEST_F(ListScreen, FromTheMenuItReturnsThroughFadeOutAndTheMenu) {
    run();
    EXPECT_EQ(standin::log().stopSamplesCalls, 2); // the fade-out in and the one out
    EXPECT_EQ(standin::textsWith("Nowa gra").size(), 1u);
    EXPECT_EQ(standin::playsOf("sam/menu.wav").size(), 1u);
    EXPECT_EQ(rowHighlights(), 0);
    EXPECT_FALSE(folder.exists("lir.txt")) << "only a recorded game stores the list";
}

TEST_F(ListScreen, OnlyALeftClickInsideTheButtonReturns) {
    support::FrameScript script;
    script
        .mouseAt(200, 347, 540, 1) // left of the button
        .mouseAt(210, 400, 532, 1) // on its top edge
        .mouseAt(220, 400, 540, 2) // the right button
        .mouseAt(230, 400, 540, 3) // both buttons
        .mouseAt(240, 400, 553, 0) // hovering only
        .at(260, [] { EXPECT_EQ(standin::log().stopSamplesCalls, 1) << "left too early"; })
        .mouseAt(270, 449, 553, 1);
    driver::giveUpAfter(script).install();
    records::listScreen();
    // The hover shows the tinted band from the frame after the pointer came on.
    int hovers = 0;
    for (const auto& d : standin::drawsOf(app::Assets.screen)) {
        if (d.tinted && d.target == standin::backbuffer() && d.sx == 347 && d.sy == 532) {
            EXPECT_EQ(d.sw, 103);
            EXPECT_EQ(d.sh, 23);
            ++hovers;
        }
    }
    EXPECT_GT(hovers, 20);
}

TEST_F(ListScreen, AfterANameEntryTheNewRowIsHighlightedAndTheScreenReturnsAtOnce) {
    folder.write("lir.txt", records::encodeListText("Al 8 900 Bo 7 800 Cy 6 100 "));
    recordEwaWith500();

    // The row's band is brightened in the screen buffer (through the scratch layer:
    // Allegro cannot draw a bitmap onto itself).
    std::vector<standin::BitmapDraw> bands;
    for (const auto& d : standin::drawsOf(app::Assets.scratch)) {
        if (d.tinted && d.target == app::Assets.screen) {
            bands.push_back(d);
        }
    }
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].sy, 151); // row 3: y 151 to 171
    // One fade-out before the list; none after it, and no menu.
    EXPECT_EQ(standin::log().stopSamplesCalls, 1);
    EXPECT_TRUE(standin::textsWith("Nowa gra").empty());
    EXPECT_EQ(GameState.nameEntryDue, 0);
    EXPECT_EQ(records::newEntryIndex, 0);
    EXPECT_EQ(records::decodeListText(folder.read("lir.txt")).substr(0, 32),
              "Al 8 900 Bo 7 800 Ewa 1 500 Cy 6");
}

TEST_F(ListScreen, ARecordedResultShowsEvenWhenItsFileCannotBeWritten) {
    std::filesystem::create_directory(folder.path() / "lir.txt");
    folder.write("lir.txt/keep", "x");
    recordEwaWith500();
    int shown = 0;
    for (const auto& t : standin::textsWith("Ewa")) {
        shown += t.target == app::Assets.screen && t.x == 250;
    }
    EXPECT_EQ(shown, 1);
}

} // namespace
