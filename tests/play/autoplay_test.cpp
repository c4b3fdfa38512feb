#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/lines.hpp"
#include "records/high_scores.hpp"
#include "support/autoplay.hpp"
#include "support/headless.hpp"
#include "support/invariants.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using board::GameState;
using support::AutoplayResult;
using support::AutoplaySettings;

// Figures of whole games the bot played, recorded when the game or the bot last changed
// on purpose. For a fixed seed and the same bot the game must play out the same way;
// any other figure is a regression, or a change of the rules to be recorded anew. They
// depend on glibc's rand and libstdc++'s random distributions.
struct Recorded {
    unsigned seed;
    int score, flips, loopFrames;
};

constexpr Recorded kRelaxedGame{69, 669081, 647064, 3730};
constexpr Recorded kTimedGame{100, 692742, 669445, 3777};
constexpr Recorded kHintGame{1, 52423, 286920, 1515};

// What every whole game ends with: no broken invariant, no drag taken back, the name
// entered and the result in first place of the (empty) list, the menu back and the game
// reset, and the recorded figures.
void expectPlayedOut(const AutoplayResult& r, const std::string& name, int level,
                     const Recorded& expected) {
    ASSERT_EQ(r.fault, "");
    EXPECT_EQ(r.refused, 0) << "a swap that makes a line is never taken back";
    EXPECT_TRUE(r.nameEntered);
    EXPECT_TRUE(r.backInMenu);
    const records::HighScoreEntry& first = records::HighScoreList.entry[1];
    EXPECT_EQ(first.name, name);
    EXPECT_EQ(first.level, level);
    EXPECT_EQ(first.score, r.score);
    EXPECT_EQ(GameState.score, 0);
    EXPECT_EQ(GameState.level, 1);
    EXPECT_EQ(GameState.stars, 0);
    EXPECT_EQ(GameState.clockBar, 0);
    EXPECT_EQ(r.score, expected.score);
    EXPECT_EQ(r.flips, expected.flips);
    EXPECT_EQ(r.loopFrames, expected.loopFrames);
}

TEST(Autoplay, ARelaxedGameFromTheMenuGoesThroughAllEightPlanetsToTheList) {
    AutoplaySettings settings;
    settings.seed = kRelaxedGame.seed;
    settings.name = "Wytrwały";
    const AutoplayResult r = support::autoplay(settings);
    expectPlayedOut(r, "Wytrwały", 8, kRelaxedGame);
    EXPECT_TRUE(r.finalScreen);
    EXPECT_FALSE(r.timeUp);
    EXPECT_EQ(r.levelsCompleted, 8);
    EXPECT_EQ(r.starsDropped, 64) << "one star from each column on each planet";
}

TEST(Autoplay, ATimedGameBeatsTheClockOnEveryPlanetBecauseEachNewPlanetResetsIt) {
    AutoplaySettings settings;
    settings.seed = kTimedGame.seed;
    settings.mode = board::GameMode::Timed;
    settings.throughMenu = false;
    const AutoplayResult r = support::autoplay(settings);
    expectPlayedOut(r, "Automat", 8, kTimedGame);
    EXPECT_TRUE(r.finalScreen);
    EXPECT_FALSE(r.timeUp);
    EXPECT_EQ(r.levelsCompleted, 8);
    EXPECT_EQ(r.starsDropped, 64);
    // The whole game takes far more frames than one planet's clock allows.
    EXPECT_GT(r.flips, 316 * (600 + 40 * 8 + 1));
    EXPECT_EQ(GameState.mode, board::GameMode::Timed);
}

TEST(Autoplay, APlayerWhoOnlyFollowsTheHintRunsOutOfTimeOnTheFirstPlanet) {
    AutoplaySettings settings;
    settings.seed = kHintGame.seed;
    settings.mode = board::GameMode::Timed;
    settings.choice = support::BotChoice::Hint;
    const AutoplayResult r = support::autoplay(settings);
    expectPlayedOut(r, "Automat", 1, kHintGame);
    EXPECT_TRUE(r.timeUp);
    EXPECT_FALSE(r.finalScreen);
    EXPECT_EQ(r.levelsCompleted, 0);
    EXPECT_EQ(r.noMoveSeen, 0) << "no board of this game ran out of moves, so every hint "
                                  "pointed at a swap that makes a line";
}

TEST(Autoplay, ABoardBrokenDuringPlayStopsTheGameAtThatFlip) {
    struct Breakage {
        void (*breakIt)();
        const char* named;
    };
    const Breakage breakages[] = {
        {[] { GameState.cellKind[10] = GameState.cellKind[10] % 4 + 1; }, "cell 10 holds"},
        {[] { GameState.grid[3][2] = 8; }, "kind 8 at (column 3, row 2)"},
        {[] { GameState.grid[0][5] = 1; }, "the border holds 1 at (column 0, row 5)"},
        {[] { GameState.grid[2][1] = GameState.cellKind[2] = 0; }, "kind 0 at (column 2, row 1)"},
        {[] { GameState.cellKind[0] = 2; }, "cell 0 holds 2"},
    };
    for (const Breakage& b : breakages) {
        AutoplaySettings settings;
        settings.throughMenu = false;
        settings.eachFlip = [&b](int flips) {
            if (flips == 3000) {
                b.breakIt();
            }
        };
        const AutoplayResult r = support::autoplay(settings);
        EXPECT_NE(r.fault.find("flip 3000: "), std::string::npos) << r.fault;
        EXPECT_NE(r.fault.find(b.named), std::string::npos) << r.fault;
        EXPECT_EQ(r.flips, 3000);
    }
}

// A board from 8 lines of 8 kinds, top row first, into both copies.
void givenBoard(const std::string& rows) {
    std::istringstream in(rows);
    for (int cell = 1; cell <= board::kCells; ++cell) {
        in >> GameState.cellKind[cell];
    }
    board::rebuildGridFromCells();
}

class BoardInvariants : public ::testing::Test {
  protected:
    void SetUp() override { support::startHeadless(); }
};

TEST_F(BoardInvariants, LinesAreFoundWholeUpToTheLastCellOfEachRowAndColumn) {
    givenBoard(R"(
        5 2 3 4 1 2 3 4
        5 4 1 2 3 4 1 2
        5 2 3 4 1 2 3 4
        5 4 1 2 3 4 1 2
        5 2 3 4 1 2 3 6
        3 4 1 2 3 4 1 6
        1 2 3 4 1 2 3 6
        3 4 1 2 3 7 7 7)");
    using support::BoardLine;
    const std::vector<BoardLine> expected{
        {6, 8, 3, false, 7},
        {1, 1, 5, true, 5},
        {8, 5, 3, true, 6},
    };
    EXPECT_EQ(support::linesOnBoard(), expected);
}

TEST_F(BoardInvariants, ALineMayWaitOneFrameOnlyIfThatFrameFindsOne) {
    const std::string withLine = R"(
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 5 5 5)";
    support::LineRule rule;
    givenBoard(withLine);
    EXPECT_EQ(rule.frameEnded(), "") << "the first frame has nothing to be judged against";
    // The next frame's scan finds it, scores it and refills its cells.
    std::srand(9);
    board::resolveLines();
    EXPECT_EQ(rule.frameEnded(), "");
    EXPECT_EQ(support::describeBoardFaults(), "");

    // The same line again, through a frame in which nothing was found.
    givenBoard(withLine);
    EXPECT_EQ(rule.frameEnded(), "");
    EXPECT_EQ(rule.frameEnded(),
              "a horizontal line of 3 of kind 5 from (column 6, row 8) stayed through a frame "
              "whose scan found nothing");
}

} // namespace
