#include "board_fixture.hpp"

#include "board/lines.hpp"

#include <functional>

namespace {

using namespace boardtest;

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
};

// One call of resolveLines on a board: the columns it leaves (top to bottom, letters for
// the entering kinds in the order they are drawn), the line it scored, and what a second
// call must still find.
struct LineCase {
    const char* name;
    std::string board;
    bool vertical;
    unsigned seed;
    int lineSize;
    std::string columns;
    std::function<void()> nextCall = nullptr;
};

TEST_F(Lines, EachLineVanishesItsColumnsFallAndNewKindsEnterFromTheTop) {
    const LineCase cases[] = {
        {"three at the end of the last row (the scan's last window)", with({62, 63, 64}, 5), false,
         11, 1, "6:a2424242 7:b3131313 8:c4242424"},
        {"five in row 4", with({26, 27, 28, 29, 30}, 5), false, 5, 3,
         "2:a2422424 3:b3133131 4:c4244242 5:d1311313 6:e2422424"},
        {"four in the top row, replaced where it stood", with({5, 6, 7, 8}, 5), false, 8, 2,
         "5:a3131313 6:b4242424 7:c1313131 8:d2424242"},
        {"vertical three at the foot of column 4: one row down per new element",
         with({44, 52, 60}, 5), true, 21, 1, "4:cba42424"},
        {"vertical five at the top of column 8, refilled from below up",
         with({8, 16, 24, 32, 40}, 5), true, 3, 3, "8:edcba242"},
        // Column 5's top 1 falls beside the two 1s of row 4.
        {"a line formed in a row already scanned waits for the next call",
         with({45, 53, 61}, 5, with({28}, 1)), true, 4, 1, "5:cba13131",
         [] {
             EXPECT_FALSE(support::linesOnBoard().empty());
             resolve();
             EXPECT_EQ(support::linesOnBoard(), std::vector<support::BoardLine>{});
             EXPECT_GE(GameState.score, 20);
         }},
        {"two runs in one row: the later goes first, the cell between them stays",
         with({57, 58, 59, 61, 62, 63}, 5), false, 17, 1, "5:a1313131 6:b2424242 7:c3131313",
         [] {
             resolve();
             EXPECT_EQ(GameState.score, 20);
             EXPECT_NE(GameState.grid[1][8], 5);
         }},
        {"a column line met while a row's run is open waits for the next call",
         with({25, 26, 27}, 5, with({12, 20, 28}, 7)), false, 2, 1,
         "1:a1311313 2:b2422424 3:c3133131",
         [] {
             EXPECT_EQ(plays("sam/s6.wav"), 0);
             resolve();
             EXPECT_GE(GameState.score, 10 + 75); // the refill of column 4 may line up more
             EXPECT_EQ(plays("sam/s6.wav"), 1);
             EXPECT_EQ(cellsOfKind(7), 0);
         }},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        givenBoard(c.board);
        const auto fresh = entries(c.seed, c.lineSize + 2, c.vertical);
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
        EXPECT_EQ(vanishFrames(), 11 * (c.lineSize + 2));
        if (c.nextCall) {
            c.nextCall();
        }
    }
}

TEST_F(Lines, AnOrdinaryLinesPointsFloatOverItAStarLineShowsItsBannerInstead) {
    givenBoard(with({62, 63, 64}, 5));
    resolve();
    EXPECT_GT(shown(" 10"), 40) << "over the line while it falls, and in the record line";

    SetUp();
    givenBoard(with({57, 58, 59}, 6));
    resolve();
    EXPECT_EQ(GameState.score, 200);
    EXPECT_EQ(plays("sam/s7.wav"), 1);
    EXPECT_EQ(shown(" 200"), 1) << "only in the record line";
    EXPECT_EQ(shown("200"), 1) << "the banner";
}

TEST_F(Lines, ABarPaidByALineTurnsTheBonusElementWhereItHasFallen) {
    const std::string before = with({62, 63, 64}, 5, with({47}, 7));
    givenBoard(before);
    GameState.kindProgress[5] = 100;
    const auto fresh = entries(6, 3, false);
    resolve();
    EXPECT_EQ(board(), expected(before, "6:a2424242 7:b3131353 8:c4242424", fresh));
    EXPECT_EQ(GameState.score, 10 + 500);
    EXPECT_EQ(GameState.kindProgress[5], 0);
}

TEST_F(Lines, TheRefillCountWrapsAfterTenAndABoardWithoutALineIsLeftAsItIs) {
    givenBoard(with({62, 63, 64}, 5));
    GameState.refillCount = 10;
    resolve();
    EXPECT_EQ(GameState.refillCount, 0);

    SetUp();
    givenBoard(kQuiet);
    GameState.boardChanged = 0;
    resolve();
    EXPECT_EQ(board(), with({}, 0));
    EXPECT_EQ(GameState.boardChanged, 0);
    EXPECT_EQ(GameState.refillCount, 1);
    EXPECT_EQ(standin::log().flips, 0);
}

} // namespace
