#include "rules_fixture.hpp"

#include "board/move_search.hpp"

namespace {

using namespace boardtest; // kQuiet is also a board without a single move

class MoveSearch : public RulesTest {
  protected:
    static void search() {
        GameState.noMoves = 0;
        board::findMove();
    }
};

TEST_F(MoveSearch, FindsAMoveAndHintsItsLeftOrUpperCell) {
    struct Case {
        const char* name;
        std::string board;
        int hintX, hintY;
    };
    const Case cases[] = {
        {"the only move: end of the last row", kLastRowMove, 626, 422},
        {"the only move: foot of the last column", with({40, 48, 64}, 5), 672, 376},
        {"a line in the last window of row 8", with({56, 62, 63}, 5), 672, 376},
        {"horizontal swaps come first", with({1, 9, 25}, 5, kLastRowMove), 626, 422},
        {"vertical, top left: the upper cell", with({1, 9, 25}, 5), 350, 192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        givenBoard(c.board);
        search();
        EXPECT_EQ(GameState.noMoves, 0);
        EXPECT_EQ(GameState.hintX, c.hintX);
        EXPECT_EQ(GameState.hintY, c.hintY);
        EXPECT_EQ(boardNow(), with({}, 0, c.board)); // the board itself is not touched
    }
}

} // namespace
