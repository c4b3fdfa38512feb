#include "board_fixture.hpp"

#include "app/input.hpp"
#include "board/move_search.hpp"
#include "support/frame_script.hpp"

#include <cstdlib>
#include <set>

namespace {

using board::GameState;
using boardtest::BoardTest;
using boardtest::kQuiet; // also a board without a single move
using boardtest::with;

// Its only move swaps the last two cells of row 8.
const std::string kLastRowMove = with({61, 62, 64}, 5);

// Bonus elements everywhere but two star elements and the bottom row: the reshuffle may
// only pick the two stars.
const std::string kBonusesAboveAPlainRow = R"(
    7 7 7 7 6 7 7 7
    7 7 7 7 7 7 7 7
    7 7 7 7 7 7 7 7
    7 7 7 7 7 6 7 7
    7 7 7 7 7 7 7 7
    7 7 7 7 7 7 7 7
    7 7 7 7 7 7 7 7
    2 1 2 1 2 1 2 1)";

class MoveSearch : public BoardTest {
  protected:
    static void search() {
        GameState.noMoves = 0;
        board::findMove();
    }

    // Outlines of the cell at (x, y) drawn in colour (r, g, b).
    static int outlines(int x, int y, standin::Rgba colour) {
        int count = 0;
        for (const auto& s : standin::log().shapes) {
            count += s.shape == standin::Shape::Rectangle && s.x1 == x && s.y1 == y &&
                     s.x2 == x + 46 && s.y2 == y + 46 && s.thickness == 1 &&
                     standin::rgba(s.colour) == colour;
        }
        return count;
    }

    static void pressHintButton(int releaseFlip) {
        app::InputState.hover = board::kHoverHint;
        app::InputState.buttons = app::kLeftButton;
        app::mouseState.x = 150;
        app::mouseState.y = 450;
        app::mouseState.buttons = app::kLeftButton;
        standin::setMouse(150, 450, app::kLeftButton);
        support::FrameScript().mouseAt(releaseFlip, 150, 450, 0).install();
        board::updateHintButton();
    }
};

TEST_F(MoveSearch, FindsAMoveAndHintsItsLeftOrUpperCell) {
    struct Case {
        const char* name;
        std::string board;
        int hintX, hintY;
    };
    const Case cases[] = {
        {"the only move, at the end of the last row", kLastRowMove, 626, 422},
        {"the only move, at the foot of the last column", with({40, 48, 64}, 5), 672, 376},
        {"horizontal swaps are tried before vertical ones", with({1, 9, 25}, 5, kLastRowMove), 626,
         422},
        {"a vertical move at the top left, upper cell of rows 3 and 4", with({1, 9, 25}, 5), 350,
         192},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        givenBoard(c.board);
        search();
        EXPECT_EQ(GameState.noMoves, 0);
        EXPECT_EQ(GameState.hintX, c.hintX);
        EXPECT_EQ(GameState.hintY, c.hintY);
        EXPECT_EQ(board(), with({}, 0, c.board)); // the board itself is not touched
    }
}

TEST_F(MoveSearch, ABoardWithoutAMoveKeepsTheLastHintAndTheHintButtonShowsIt) {
    givenBoard(kQuiet);
    GameState.hintX = 396;
    GameState.hintY = 146;
    search();
    EXPECT_EQ(GameState.noMoves, 1);
    EXPECT_EQ(GameState.hintX, 396);
    EXPECT_EQ(GameState.hintY, 146);
    EXPECT_EQ(standin::log().flips, 0);
    pressHintButton(4);
    EXPECT_GT(outlines(396, 146, {44, 133, 166, 255}), 0);
}

TEST_F(MoveSearch, TheReshuffleNeverTouchesABonusElementOrTheBottomRow) {
    std::set<int> kinds;
    for (int level : {2, 3}) {
        for (unsigned seed = 1; seed <= 60; ++seed) {
            SCOPED_TRACE("level " + std::to_string(level) + " seed " + std::to_string(seed));
            SetUp();
            GameState.level = level;
            givenBoard(kBonusesAboveAPlainRow);
            const std::string before = board();
            GameState.noMoves = 1;
            std::srand(seed);
            board::replaceRandomElement();
            const int changed = GameState.cellKind[5] != 6 ? 5 : 30;
            const int kind = GameState.cellKind[changed];
            EXPECT_EQ(GameState.lineKind, kind);
            EXPECT_GE(kind, 1);
            EXPECT_LE(kind, level < 3 ? 4 : 5);
            if (level == 3) {
                kinds.insert(kind);
            }
            EXPECT_EQ(with({changed}, 6, board()), before) << "nothing else changed";
            expectSoundBoard();
            EXPECT_EQ(GameState.noMoves, 0);
            EXPECT_EQ(plays("sam/snd1.wav"), 1);
            EXPECT_EQ(vanishFrames().size(), 11u);
            EXPECT_EQ(standin::log().flips, 11);
        }
    }
    EXPECT_EQ(kinds, (std::set<int>{1, 2, 3, 4, 5}));
}

TEST_F(MoveSearch, ReshufflesOneElementPerFrameUntilAMoveExists) {
    givenBoard(kQuiet);
    const std::string bottomRow = board().substr(7 * 16);
    std::srand(3);
    int reshuffles = 0;
    for (search(); GameState.noMoves == 1 && reshuffles < 500; search()) {
        board::replaceRandomElement();
        ++reshuffles;
        EXPECT_EQ(board().substr(7 * 16), bottomRow);
    }
    EXPECT_GE(reshuffles, 1);
    EXPECT_LT(reshuffles, 500);
    EXPECT_EQ(plays("sam/snd1.wav"), reshuffles);
    expectSoundBoard();
}

TEST_F(MoveSearch, TheHintButtonLightsUpWhileHoveredAndIsRepairedWhenLeft) {
    app::InputState.hover = board::kHoverHint;
    app::InputState.buttons = 0;
    board::updateHintButton();
    auto lit = sheetPieces(650, 290, 138, 138);
    ASSERT_EQ(lit.size(), 1u);
    EXPECT_EQ(lit[0].dx, 105);
    EXPECT_EQ(lit[0].dy, 382);
    app::InputState.hover = 0;
    board::updateHintButton();
    EXPECT_EQ(repairs(138, 138).size(), 1u);
    app::InputState.hover = 12; // a cell: the button is left as it is
    board::updateHintButton();
    EXPECT_EQ(repairs(138, 138).size(), 1u);
    EXPECT_EQ(sheetPieces(650, 290, 138, 138).size(), 1u);
    EXPECT_EQ(standin::log().flips, 0);
}

TEST_F(MoveSearch, HoldingTheHintButtonBlinksTheHintedCellUntilReleased) {
    givenBoard(kLastRowMove);
    pressHintButton(50); // released after 25 passes of two flips
    EXPECT_EQ(sheetPieces(550, 313, 92, 92).size(), 1u);
    // 27 passes: n = 1..20 then 0..6; shown while n <= 9, erased while n > 10.
    EXPECT_EQ(outlines(626, 422, {44, 133, 166, 255}), 16);
    EXPECT_EQ(outlines(626, 422, {0, 0, 0, 255}), 10);
    EXPECT_EQ(outlines(626, 422, {0, 28, 40, 255}), 1);
    EXPECT_EQ(repairs(110, 110).size(), 1u);
    EXPECT_EQ(standin::log().flips, 2 * 27 + 1);
}

} // namespace
