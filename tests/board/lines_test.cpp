#include "board_fixture.hpp"

#include "board/lines.hpp"

#include <cstdlib>
#include <set>

namespace {

using board::GameState;
using boardtest::BoardTest;
using boardtest::kQuiet;

class Lines : public BoardTest {
  protected:
    void SetUp() override {
        BoardTest::SetUp();
        GameState.level = 1;
        GameState.refillCount = 1;
        for (int c = 1; c <= 8; ++c) {
            GameState.columnStar[c] = 1; // no star drops here; they have tests of their own
        }
    }

    // The kinds the next line will bring in, drawn from `seed` by the entry rules; the
    // generator is seeded again so that the line draws the same kinds.
    static std::vector<int> horizontalEntries(unsigned seed, int count) {
        std::srand(seed);
        std::vector<int> kinds;
        for (int n = 1; n <= count; ++n) {
            kinds.push_back(board::horizontalEntryKind());
        }
        std::srand(seed);
        return kinds;
    }

    static std::vector<int> verticalEntries(unsigned seed, int count) {
        std::srand(seed);
        std::vector<int> kinds;
        for (int n = 1; n <= count; ++n) {
            kinds.push_back(board::verticalEntryKind(n));
        }
        std::srand(seed);
        return kinds;
    }

    static void resolve() {
        board::resolveLines();
        expectSoundBoard();
    }

    // The points written over a line while it falls (the record line uses its own colour).
    static std::vector<standin::TextDraw> floatingPoints(const std::string& text) {
        std::vector<standin::TextDraw> out;
        for (const auto& t : standin::textsWith(text)) {
            if (standin::rgba(t.colour) == standin::Rgba{60, 120, 140, 255}) {
                out.push_back(t);
            }
        }
        return out;
    }

    static std::set<int> kindsDrawn(int level, int refillCount, bool horizontal, int n = 1) {
        GameState.level = level;
        GameState.refillCount = refillCount;
        std::set<int> kinds;
        for (int i = 0; i < 3000; ++i) {
            kinds.insert(horizontal ? board::horizontalEntryKind() : board::verticalEntryKind(n));
        }
        return kinds;
    }
};

const std::set<int> k1to4{1, 2, 3, 4};
const std::set<int> k1to5{1, 2, 3, 4, 5};
const std::set<int> k1to4Star{1, 2, 3, 4, 6};
const std::set<int> k1to6{1, 2, 3, 4, 5, 6};
const std::set<int> k1to7{1, 2, 3, 4, 5, 6, 7};

TEST_F(Lines, AThreeAtTheEndOfTheLastRowIsFoundAndRemovedInTheSameStep) {
    givenBoard(R"(
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 5 5 5)");
    const auto fresh = horizontalEntries(11, 3);
    resolve();
    EXPECT_EQ(board(), expected(R"(
        1 2 3 4 1 a b c
        3 4 1 2 3 2 3 4
        1 2 3 4 1 4 1 2
        3 4 1 2 3 2 3 4
        1 2 3 4 1 4 1 2
        3 4 1 2 3 2 3 4
        1 2 3 4 1 4 1 2
        3 4 1 2 3 2 3 4)",
                                fresh));
    EXPECT_EQ(GameState.lineKind, 5);
    EXPECT_EQ(GameState.lineSize, 1);
    EXPECT_EQ(GameState.score, 10);
    EXPECT_EQ(GameState.boardChanged, 1);
    EXPECT_EQ(GameState.refillCount, 2);
    EXPECT_EQ(GameState.kindProgress[5], 1);
    EXPECT_EQ(plays("sam/snd1.wav"), 1);
}

TEST_F(Lines, AHorizontalLineVanishesCellByCellThenFallsWithItsPoints) {
    givenBoard(kQuiet);
    GameState.cellKind[62] = GameState.cellKind[63] = GameState.cellKind[64] = 5;
    board::rebuildGridFromCells();
    resolve();
    // 11 frames, each over the three cells in order, one flip per cell.
    auto frames = vanishFrames();
    ASSERT_EQ(frames.size(), 33u);
    for (int f = 0; f < 11; ++f) {
        for (int n = 0; n < 3; ++n) {
            const auto& d = frames[3 * f + n];
            EXPECT_EQ(d.sx, 46 * f);
            EXPECT_EQ(d.dx, 580 + 46 * n);
            EXPECT_EQ(d.dy, 422);
            EXPECT_EQ(d.frame, frames[0].frame + 3 * f + n);
        }
    }
    // The points float over the line for 46 of the 47 fall frames.
    auto points = floatingPoints(" 10");
    ASSERT_EQ(points.size(), 46u);
    EXPECT_EQ(points[0].x, 644);
    EXPECT_EQ(points[0].y, 437);
    // The three columns fall from the scratch layer, down to the line's row.
    auto falls = standin::drawsOf(app::Assets.scratch);
    ASSERT_EQ(falls.size(), 47u);
    EXPECT_EQ(falls[0].sy, 54);
    EXPECT_EQ(falls[0].sh, 46 * 8);
    EXPECT_EQ(falls[0].sw, 138);
    EXPECT_EQ(falls[46].dy, 54 + 46);
}

TEST_F(Lines, AFiveInARowIsOneLineWithFiveEntries) {
    givenBoard(R"(
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 5 5 5 5 5 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)");
    const auto fresh = horizontalEntries(5, 5);
    resolve();
    EXPECT_EQ(board(), expected(R"(
        1 a b c d e 3 4
        3 2 3 4 1 2 1 2
        1 4 1 2 3 4 3 4
        3 2 3 4 1 2 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)",
                                fresh));
    EXPECT_EQ(GameState.lineSize, 3);
    EXPECT_EQ(GameState.score, 50);
    EXPECT_EQ(plays("sam/snd1.wav"), 1);
    EXPECT_EQ(GameState.kindProgress[5], 3);
    EXPECT_EQ(vanishFrames().size(), 55u);
}

TEST_F(Lines, AFourInTheTopRowIsReplacedWhereItStood) {
    givenBoard(R"(
        1 2 3 4 5 5 5 5
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)");
    const auto fresh = horizontalEntries(8, 4);
    resolve();
    EXPECT_EQ(board(), expected(R"(
        1 2 3 4 a b c d
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)",
                                fresh));
    EXPECT_EQ(GameState.lineSize, 2);
    EXPECT_EQ(GameState.score, 20);
}

TEST_F(Lines, AVerticalThreeInColumnFourFallsOneRowPerNewElement) {
    givenBoard(R"(
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 5 3 4 1 2
        1 2 3 5 1 2 3 4
        3 4 1 5 3 4 1 2)");
    const auto fresh = verticalEntries(21, 3);
    resolve();
    // Rows 4..8 hold the former rows 1..5; rows 3, 2, 1 the first, second, third new kind.
    EXPECT_EQ(board(), expected(R"(
        1 2 3 c 1 2 3 4
        3 4 1 b 3 4 1 2
        1 2 3 a 1 2 3 4
        3 4 1 4 3 4 1 2
        1 2 3 2 1 2 3 4
        3 4 1 4 3 4 1 2
        1 2 3 2 1 2 3 4
        3 4 1 4 3 4 1 2)",
                                fresh));
    EXPECT_EQ(GameState.score, 10);
    EXPECT_EQ(GameState.refillCount, 2);
    EXPECT_EQ(standin::drawsOf(app::Assets.scratch).size(), 3u * 47u);
    auto points = floatingPoints(" 10");
    ASSERT_EQ(points.size(), 1u);
    EXPECT_EQ(points[0].x, 508);
    EXPECT_EQ(points[0].y, 433);
}

TEST_F(Lines, AVerticalFiveAtTheTopIsRefilledFromBelowUp) {
    givenBoard(R"(
        1 2 3 4 1 2 3 5
        3 4 1 2 3 4 1 5
        1 2 3 4 1 2 3 5
        3 4 1 2 3 4 1 5
        1 2 3 4 1 2 3 5
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)");
    const auto fresh = verticalEntries(3, 5);
    resolve();
    EXPECT_EQ(board(), expected(R"(
        1 2 3 4 1 2 3 e
        3 4 1 2 3 4 1 d
        1 2 3 4 1 2 3 c
        3 4 1 2 3 4 1 b
        1 2 3 4 1 2 3 a
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)",
                                fresh));
    EXPECT_EQ(GameState.lineSize, 3);
    EXPECT_EQ(GameState.score, 50);
    EXPECT_EQ(plays("sam/snd1.wav"), 1);
}

TEST_F(Lines, AVerticalFourInTheMiddleOfAColumnIsOneLine) {
    givenBoard(R"(
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 5 3 4 1 2 3 4
        3 5 1 2 3 4 1 2
        1 5 3 4 1 2 3 4
        3 5 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)");
    const auto fresh = verticalEntries(12, 4);
    resolve();
    EXPECT_EQ(board(), expected(R"(
        1 d 3 4 1 2 3 4
        3 c 1 2 3 4 1 2
        1 b 3 4 1 2 3 4
        3 a 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)",
                                fresh));
    EXPECT_EQ(GameState.lineSize, 2);
    EXPECT_EQ(GameState.score, 20);
    EXPECT_EQ(vanishFrames().size(), 44u);
}

TEST_F(Lines, ALineFormedInARowAlreadyScannedIsFoundByTheNextCall) {
    // Column 5 falls three rows and brings its top 1 next to the two 1s of row 4,
    // which the scan has already passed.
    givenBoard(R"(
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 1 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 5 4 1 2
        1 2 3 4 5 2 3 4
        3 4 1 2 5 4 1 2)");
    const auto fresh = verticalEntries(4, 3);
    ASSERT_FALSE(fresh[0] == fresh[1] && fresh[1] == fresh[2]);
    ASSERT_FALSE(fresh[0] == 1 && fresh[1] == 1);
    resolve();
    EXPECT_EQ(board(), expected(R"(
        1 2 3 4 c 2 3 4
        3 4 1 2 b 4 1 2
        1 2 3 4 a 2 3 4
        3 4 1 1 1 4 1 2
        1 2 3 4 3 2 3 4
        3 4 1 2 1 4 1 2
        1 2 3 4 3 2 3 4
        3 4 1 2 1 4 1 2)",
                                fresh));
    EXPECT_TRUE(hasLine());
    EXPECT_EQ(GameState.score, 10);

    resolve();
    EXPECT_FALSE(GameState.grid[3][4] == 1 && GameState.grid[4][4] == 1 &&
                 GameState.grid[5][4] == 1);
    EXPECT_GE(GameState.score, 20);
    EXPECT_GE(GameState.refillCount, 3);
}

TEST_F(Lines, TwoSeparateRunsInOneRowAreEachRemovedExactly) {
    givenBoard(R"(
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        5 5 5 2 5 5 5 2)");
    const auto fresh = horizontalEntries(17, 3);
    resolve();
    // The later run goes first, as a line of three; the cell between the runs stays.
    EXPECT_EQ(board(), expected(R"(
        1 2 3 4 a b c 4
        3 4 1 2 1 2 3 2
        1 2 3 4 3 4 1 4
        3 4 1 2 1 2 3 2
        1 2 3 4 3 4 1 4
        3 4 1 2 1 2 3 2
        1 2 3 4 3 4 1 4
        5 5 5 2 1 2 3 2)",
                                fresh));
    EXPECT_EQ(GameState.score, 10);
    EXPECT_EQ(GameState.lineSize, 1);

    resolve();
    EXPECT_EQ(GameState.score, 20);
    EXPECT_NE(GameState.grid[1][8], 5);
}

TEST_F(Lines, ALineOfTheOtherDirectionMetInThePassWaitsForTheNextCall) {
    // Row 4 holds a three of 5s; column 4 a three of bonus elements found while the row's
    // run is still open. Only the 5s go in this call, and exactly they.
    givenBoard(R"(
        1 2 3 4 1 2 3 4
        3 4 1 7 3 4 1 2
        1 2 3 7 1 2 3 4
        5 5 5 7 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)");
    const auto fresh = horizontalEntries(2, 3);
    resolve();
    EXPECT_EQ(board(), expected(R"(
        a b c 4 1 2 3 4
        1 2 3 7 3 4 1 2
        3 4 1 7 1 2 3 4
        1 2 3 7 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2)",
                                fresh));
    EXPECT_EQ(GameState.score, 10);
    EXPECT_EQ(plays("sam/s6.wav"), 0);

    resolve();
    EXPECT_GE(GameState.score, 10 + 75); // the refill of column 4 may line up more
    EXPECT_EQ(plays("sam/s6.wav"), 1);
    EXPECT_FALSE(GameState.grid[4][2] == 7 && GameState.grid[4][3] == 7 &&
                 GameState.grid[4][4] == 7);
}

TEST_F(Lines, AStarLineShowsItsBannerInsteadOfFloatingPoints) {
    givenBoard(kQuiet);
    GameState.cellKind[57] = GameState.cellKind[58] = GameState.cellKind[59] = 6;
    board::rebuildGridFromCells();
    resolve();
    EXPECT_EQ(GameState.score, 200);
    EXPECT_EQ(plays("sam/s7.wav"), 1);
    EXPECT_TRUE(floatingPoints(" 200").empty());
    EXPECT_EQ(standin::textsWith("200").size(), 1u);
}

TEST_F(Lines, ABarPaidByALineTurnsTheBonusElementWhereItHasFallen) {
    givenBoard(R"(
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 1 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 4 7 2
        1 2 3 4 1 2 3 4
        3 4 1 2 3 5 5 5)");
    GameState.kindProgress[5] = 100;
    const auto fresh = horizontalEntries(6, 3);
    resolve();
    EXPECT_EQ(board(), expected(R"(
        1 2 3 4 1 a b c
        3 4 1 2 3 2 3 4
        1 2 3 4 1 4 1 2
        3 4 1 2 3 2 3 4
        1 2 3 4 1 4 1 2
        3 4 1 2 3 2 3 4
        1 2 3 4 1 4 5 2
        3 4 1 2 3 2 3 4)",
                                fresh));
    EXPECT_EQ(GameState.score, 10 + 500);
    EXPECT_EQ(GameState.kindProgress[5], 0);
}

TEST_F(Lines, RefillCountCyclesThroughElevenValues) {
    std::vector<int> seen;
    for (int line = 0; line < 12; ++line) {
        givenBoard(kQuiet);
        GameState.cellKind[62] = GameState.cellKind[63] = GameState.cellKind[64] = 5;
        board::rebuildGridFromCells();
        resolve();
        seen.push_back(GameState.refillCount);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 2}));
}

TEST_F(Lines, ABoardWithoutALineIsLeftAsItIs) {
    givenBoard(kQuiet);
    GameState.boardChanged = 0;
    resolve();
    EXPECT_EQ(board(), expected(kQuiet));
    EXPECT_EQ(GameState.boardChanged, 0);
    EXPECT_EQ(GameState.refillCount, 1);
    EXPECT_EQ(standin::log().flips, 0);
}

TEST_F(Lines, EnteringKindsFollowLevelAndRefillCount) {
    std::srand(1234);
    for (int level = 1; level <= 2; ++level) {
        for (int rc = 0; rc <= 10; ++rc) {
            const bool star = rc % 3 == 0;
            EXPECT_EQ(kindsDrawn(level, rc, true), star ? k1to4Star : k1to4) << level << "/" << rc;
            EXPECT_EQ(kindsDrawn(level, rc, false, 1), star ? k1to4Star : k1to4);
            EXPECT_EQ(kindsDrawn(level, rc, false, 2), star ? k1to4Star : k1to4);
            EXPECT_EQ(kindsDrawn(level, rc, false, 3), k1to4);
        }
    }
    for (int level = 3; level <= 5; ++level) {
        for (int rc = 0; rc <= 10; ++rc) {
            const bool horizontalStar = rc % 3 == 0 || rc % 5 == 0;
            EXPECT_EQ(kindsDrawn(level, rc, true), horizontalStar ? k1to6 : k1to5)
                << level << "/" << rc;
            EXPECT_EQ(kindsDrawn(level, rc, false, 2), rc % 3 == 0 ? k1to6 : k1to5);
            EXPECT_EQ(kindsDrawn(level, rc, false, 4), k1to5);
        }
    }
    for (int level = 6; level <= 8; ++level) {
        for (int rc = 0; rc <= 10; ++rc) {
            const bool bonus = rc % 9 == 0;
            const bool star = rc % 3 == 0 || rc % 5 == 0;
            const std::set<int> special = bonus ? k1to7 : star ? k1to6 : k1to5;
            EXPECT_EQ(kindsDrawn(level, rc, true), special) << level << "/" << rc;
            EXPECT_EQ(kindsDrawn(level, rc, false, 1), special) << level << "/" << rc;
            EXPECT_EQ(kindsDrawn(level, rc, false, 3), k1to5);
        }
    }
}

} // namespace
