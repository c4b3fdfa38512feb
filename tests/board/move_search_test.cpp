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

// Its only move swaps the last two cells of row 8.
const std::string kLastRowMove = R"(
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 5 5 1 5)";

// Its only move swaps rows 7 and 8 of column 8.
const std::string kLastColumnMove = R"(
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 5
    3 4 1 2 3 4 1 5
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 5)";

// A vertical move at the top left and the horizontal one at the bottom right.
const std::string kTwoMoves = R"(
    5 2 3 4 1 2 3 4
    5 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    5 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 3 4 1 2
    1 2 3 4 1 2 3 4
    3 4 1 2 5 5 1 5)";

ALLEGRO_COLOR colourOf(int r, int g, int b) {
    return al_map_rgb(r, g, b);
}

class MoveSearch : public BoardTest {
  protected:
    static void search() {
        GameState.noMoves = 0;
        board::findMove();
    }

    // Outlines of the cell at (x, y) drawn in colour (r, g, b).
    static int outlines(int x, int y, int r, int g, int b) {
        int count = 0;
        for (const auto& s : standin::log().shapes) {
            count += s.shape == standin::Shape::Rectangle && s.x1 == x && s.y1 == y &&
                     s.x2 == x + 46 && s.y2 == y + 46 && s.thickness == 1 &&
                     standin::rgba(s.colour) == standin::rgba(colourOf(r, g, b));
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

TEST_F(MoveSearch, FindsTheOnlyMoveAtTheEndOfTheLastRowAndHintsItsLeftCell) {
    givenBoard(kLastRowMove);
    search();
    EXPECT_EQ(GameState.noMoves, 0);
    EXPECT_EQ(GameState.hintX, 626);
    EXPECT_EQ(GameState.hintY, 422);
    EXPECT_EQ(board(), expected(kLastRowMove)); // the board itself is not touched
}

TEST_F(MoveSearch, FindsTheOnlyMoveAtTheFootOfTheLastColumnAndHintsItsUpperCell) {
    givenBoard(kLastColumnMove);
    search();
    EXPECT_EQ(GameState.noMoves, 0);
    EXPECT_EQ(GameState.hintX, 672);
    EXPECT_EQ(GameState.hintY, 376);
}

TEST_F(MoveSearch, HorizontalSwapsAreTriedBeforeVerticalOnes) {
    givenBoard(kTwoMoves);
    search();
    EXPECT_EQ(GameState.hintX, 626);
    EXPECT_EQ(GameState.hintY, 422);
    GameState.cellKind[64] = 3; // takes the horizontal move away
    board::rebuildGridFromCells();
    search();
    EXPECT_EQ(GameState.hintX, 350);
    EXPECT_EQ(GameState.hintY, 192); // rows 3 and 4 of column 1, the upper cell
}

TEST_F(MoveSearch, ABoardWithoutAMoveKeepsTheLastHint) {
    givenBoard(kQuiet);
    GameState.hintX = 396;
    GameState.hintY = 146;
    search();
    EXPECT_EQ(GameState.noMoves, 1);
    EXPECT_EQ(GameState.hintX, 396);
    EXPECT_EQ(GameState.hintY, 146);
    EXPECT_EQ(standin::log().flips, 0);
}

TEST_F(MoveSearch, TheReshuffleNeverTouchesABonusElementOrTheBottomRow) {
    std::set<int> kinds;
    for (int level : {2, 3}) {
        for (unsigned seed = 1; seed <= 60; ++seed) {
            SetUp();
            GameState.level = level;
            for (int cell = 1; cell <= 56; ++cell) {
                GameState.cellKind[cell] = 7;
            }
            for (int cell = 57; cell <= 64; ++cell) {
                GameState.cellKind[cell] = 1 + cell % 2;
            }
            GameState.cellKind[5] = GameState.cellKind[30] = 6;
            board::rebuildGridFromCells();
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
            GameState.cellKind[changed] = 6;
            EXPECT_EQ(board(), before) << "seed " << seed; // nothing else changed
            GameState.cellKind[changed] = kind;
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
    auto repaired = repairs(138, 138);
    ASSERT_EQ(repaired.size(), 1u);
    EXPECT_EQ(repaired[0].dx, 105);
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
    EXPECT_EQ(outlines(626, 422, 44, 133, 166), 16);
    EXPECT_EQ(outlines(626, 422, 0, 0, 0), 10);
    EXPECT_EQ(outlines(626, 422, 0, 28, 40), 1);
    EXPECT_EQ(repairs(110, 110).size(), 1u);
    EXPECT_EQ(standin::log().flips, 2 * 27 + 1);
}

TEST_F(MoveSearch, TheHintOnABoardWithoutAMoveShowsThePreviousHint) {
    givenBoard(kQuiet);
    GameState.hintX = 396;
    GameState.hintY = 146;
    pressHintButton(4);
    EXPECT_EQ(GameState.noMoves, 1);
    EXPECT_GT(outlines(396, 146, 44, 133, 166), 0);
    EXPECT_EQ(outlines(396, 146, 0, 28, 40), 1);
}

} // namespace
