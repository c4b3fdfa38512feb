#include "board_fixture.hpp"

#include "board/lines.hpp"

#include <cstdlib>
#include <functional>
#include <set>

namespace {

using board::GameState;
using boardtest::BoardTest;
using boardtest::kQuiet;
using boardtest::with;

class Lines : public BoardTest {
  protected:
    // The kinds the next line brings in, drawn from `seed` by the entry rules; the
    // generator is seeded again so that the line draws the same kinds.
    static std::vector<int> entries(unsigned seed, int count, bool vertical) {
        std::srand(seed);
        std::vector<int> kinds;
        for (int n = 1; n <= count; ++n) {
            kinds.push_back(vertical ? board::verticalEntryKind(n) : board::horizontalEntryKind());
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

// One call of resolveLines on a board: the columns it leaves (top to bottom, letters for
// the entering kinds in the order they are drawn), the line it scored, and what a second
// call must still find.
struct LineCase {
    const char* name;
    std::string board;
    bool vertical;
    unsigned seed;
    std::map<int, std::string> columns;
    int lineSize;
    int cells;
    std::function<void()> nextCall = nullptr;
};

TEST_F(Lines, EachLineVanishesItsColumnsFallAndNewKindsEnterFromTheTop) {
    const LineCase cases[] = {
        {"three at the end of the last row (the scan's last window)",
         with({62, 63, 64}, 5),
         false,
         11,
         {{6, "a 2 4 2 4 2 4 2"}, {7, "b 3 1 3 1 3 1 3"}, {8, "c 4 2 4 2 4 2 4"}},
         1,
         3},
        {"five in row 4",
         with({26, 27, 28, 29, 30}, 5),
         false,
         5,
         {{2, "a 2 4 2 2 4 2 4"},
          {3, "b 3 1 3 3 1 3 1"},
          {4, "c 4 2 4 4 2 4 2"},
          {5, "d 1 3 1 1 3 1 3"},
          {6, "e 2 4 2 2 4 2 4"}},
         3,
         5},
        {"four in the top row, replaced where it stood",
         with({5, 6, 7, 8}, 5),
         false,
         8,
         {{5, "a 3 1 3 1 3 1 3"},
          {6, "b 4 2 4 2 4 2 4"},
          {7, "c 1 3 1 3 1 3 1"},
          {8, "d 2 4 2 4 2 4 2"}},
         2,
         4},
        {"vertical three at the foot of column 4: one row down per new element",
         with({44, 52, 60}, 5),
         true,
         21,
         {{4, "c b a 4 2 4 2 4"}},
         1,
         3},
        {"vertical five at the top of column 8, refilled from below up",
         with({8, 16, 24, 32, 40}, 5),
         true,
         3,
         {{8, "e d c b a 2 4 2"}},
         3,
         5},
        {"vertical four in the middle of column 2",
         with({18, 26, 34, 42}, 5),
         true,
         12,
         {{2, "d c b a 2 4 2 4"}},
         2,
         4},
        {"a line formed in a row already scanned waits for the next call",
         with({45, 53, 61}, 5, with({28}, 1)),
         true,
         4,
         {{5, "c b a 1 3 1 3 1"}}, // column 5's top 1 now beside the two 1s of row 4
         1,
         3,
         [] {
             EXPECT_TRUE(hasLine());
             resolve();
             EXPECT_FALSE(GameState.grid[3][4] == 1 && GameState.grid[4][4] == 1 &&
                          GameState.grid[5][4] == 1);
             EXPECT_GE(GameState.score, 20);
         }},
        {"two runs in one row: the later goes first, the cell between them stays",
         with({57, 58, 59, 61, 62, 63}, 5),
         false,
         17,
         {{5, "a 1 3 1 3 1 3 1"}, {6, "b 2 4 2 4 2 4 2"}, {7, "c 3 1 3 1 3 1 3"}},
         1,
         3,
         [] {
             resolve();
             EXPECT_EQ(GameState.score, 20);
             EXPECT_NE(GameState.grid[1][8], 5);
         }},
        {"a column line met while a row's run is open waits for the next call",
         with({25, 26, 27}, 5, with({12, 20, 28}, 7)),
         false,
         2,
         {{1, "a 1 3 1 1 3 1 3"}, {2, "b 2 4 2 2 4 2 4"}, {3, "c 3 1 3 3 1 3 1"}},
         1,
         3,
         [] {
             EXPECT_EQ(plays("sam/s6.wav"), 0);
             resolve();
             EXPECT_GE(GameState.score, 10 + 75); // the refill of column 4 may line up more
             EXPECT_EQ(plays("sam/s6.wav"), 1);
             EXPECT_FALSE(GameState.grid[4][2] == 7 && GameState.grid[4][3] == 7 &&
                          GameState.grid[4][4] == 7);
         }},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        givenBoard(c.board);
        const auto fresh = entries(c.seed, c.cells, c.vertical);
        resolve();
        EXPECT_EQ(board(), expected(c.board, c.columns, fresh));
        EXPECT_EQ(GameState.lineKind, 5);
        EXPECT_EQ(GameState.lineSize, c.lineSize);
        const int levelOnePoints[] = {0, 10, 20, 50}; // a three, a four, a five
        EXPECT_EQ(GameState.score, levelOnePoints[c.lineSize]);
        EXPECT_EQ(GameState.kindProgress[5], c.lineSize);
        EXPECT_EQ(GameState.boardChanged, 1);
        EXPECT_EQ(GameState.refillCount, 2);
        EXPECT_EQ(plays("sam/snd1.wav"), 1) << "one award per line";
        EXPECT_EQ(vanishFrames().size(), 11u * c.cells);
        if (c.nextCall) {
            c.nextCall();
        }
    }
}

TEST_F(Lines, AHorizontalLineVanishesCellByCellThenFallsWithItsPoints) {
    givenBoard(with({62, 63, 64}, 5));
    resolve();
    // 11 frames, each over the three cells in order, one flip per cell.
    auto frames = vanishFrames();
    ASSERT_EQ(frames.size(), 33u);
    for (int f = 0; f < 11; ++f) {
        for (int n = 0; n < 3; ++n) {
            const auto& d = frames[3 * f + n];
            EXPECT_EQ(d.sx, 46 * f);
            EXPECT_EQ(d.dx, 580 + 46 * n);
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
    EXPECT_EQ(falls[0].sw, 138);
    EXPECT_EQ(falls[46].dy, 54 + 46);
}

TEST_F(Lines, AStarLineShowsItsBannerInsteadOfFloatingPoints) {
    givenBoard(with({57, 58, 59}, 6));
    resolve();
    EXPECT_EQ(GameState.score, 200);
    EXPECT_EQ(plays("sam/s7.wav"), 1);
    EXPECT_TRUE(floatingPoints(" 200").empty());
    EXPECT_EQ(standin::textsWith("200").size(), 1u);
}

TEST_F(Lines, ABarPaidByALineTurnsTheBonusElementWhereItHasFallen) {
    const std::string before = with({62, 63, 64}, 5, with({47}, 7));
    givenBoard(before);
    GameState.kindProgress[5] = 100;
    const auto fresh = entries(6, 3, false);
    resolve();
    EXPECT_EQ(board(),
              expected(before,
                       {{6, "a 2 4 2 4 2 4 2"}, {7, "b 3 1 3 1 3 5 3"}, {8, "c 4 2 4 2 4 2 4"}},
                       fresh));
    EXPECT_EQ(GameState.score, 10 + 500);
    EXPECT_EQ(GameState.kindProgress[5], 0);
}

TEST_F(Lines, RefillCountCyclesThroughElevenValues) {
    std::vector<int> seen;
    for (int line = 0; line < 12; ++line) {
        givenBoard(with({62, 63, 64}, 5));
        resolve();
        seen.push_back(GameState.refillCount);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 0, 1, 2}));
}

TEST_F(Lines, ABoardWithoutALineIsLeftAsItIs) {
    givenBoard(kQuiet);
    GameState.boardChanged = 0;
    resolve();
    EXPECT_EQ(board(), with({}, 0));
    EXPECT_EQ(GameState.boardChanged, 0);
    EXPECT_EQ(GameState.refillCount, 1);
    EXPECT_EQ(standin::log().flips, 0);
}

TEST_F(Lines, EnteringKindsFollowLevelAndRefillCount) {
    const std::set<int> k1to4{1, 2, 3, 4}, k1to5{1, 2, 3, 4, 5}, k1to4Star{1, 2, 3, 4, 6};
    const std::set<int> k1to6{1, 2, 3, 4, 5, 6}, k1to7{1, 2, 3, 4, 5, 6, 7};
    std::srand(1234);
    for (int rc = 0; rc <= 10; ++rc) {
        SCOPED_TRACE("refillCount " + std::to_string(rc));
        const bool third = rc % 3 == 0;
        const bool star = third || rc % 5 == 0;
        for (int level = 1; level <= 2; ++level) {
            EXPECT_EQ(kindsDrawn(level, rc, true), third ? k1to4Star : k1to4);
            EXPECT_EQ(kindsDrawn(level, rc, false, 1), third ? k1to4Star : k1to4);
            EXPECT_EQ(kindsDrawn(level, rc, false, 2), third ? k1to4Star : k1to4);
            EXPECT_EQ(kindsDrawn(level, rc, false, 3), k1to4);
        }
        for (int level = 3; level <= 5; ++level) {
            EXPECT_EQ(kindsDrawn(level, rc, true), star ? k1to6 : k1to5);
            EXPECT_EQ(kindsDrawn(level, rc, false, 2), third ? k1to6 : k1to5);
            EXPECT_EQ(kindsDrawn(level, rc, false, 4), k1to5);
        }
        for (int level = 6; level <= 8; ++level) {
            const std::set<int> special = rc % 9 == 0 ? k1to7 : star ? k1to6 : k1to5;
            EXPECT_EQ(kindsDrawn(level, rc, true), special);
            EXPECT_EQ(kindsDrawn(level, rc, false, 1), special);
            EXPECT_EQ(kindsDrawn(level, rc, false, 3), k1to5);
        }
    }
}

} // namespace
