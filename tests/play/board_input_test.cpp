#include "board_fixture.hpp"

#include "app/events.hpp"
#include "app/pacing.hpp"
#include "app/press_rules.hpp"
#include "app/window.hpp"
#include "board/swap.hpp"
#include "play/board_input.hpp"
#include "play/panel.hpp"

#include <tuple>
#include <utility>
#include <vector>

namespace {

using namespace boardtest;

// Row 8 ends in 5 5 1 5 and column 1 ends in 5 5 1 5: swapping cells 63 and 64, or
// cells 49 and 57, makes a line of three 5s.
const std::string kTwoMoves = with({33, 41, 57, 61, 62, 64}, 5);

class Swap : public BoardTest {
  protected:
    // The left button went down over `cell`; the pointer then moves to (x, y) while held
    // and is released after flip `releaseFlip`.
    static void drag(int cell, int x, int y, int releaseFlip = 3) {
        holdLeftButton(GameState.cellX[cell] + 23, GameState.cellY[cell] + 23);
        standin::setMouse(x, y, app::kLeftButton);
        if (releaseFlip > 0) {
            support::FrameScript().mouseAt(releaseFlip, x, y, 0).install();
        }
        GameState.selectedCell = cell;
        play::dragSwap();
    }

    // A press and release in the middle of `cell`, as the game loop passes it on.
    static void click(int cell) {
        const int x = GameState.cellX[cell] + 23, y = GameState.cellY[cell] + 23;
        holdLeftButton(x, y);
        support::FrameScript().mouseAt(2, x, y, 0).install();
        GameState.selectedCell = cell;
        play::dragSwap();
    }

    // The frame drawn around a picked cell, inside its 46 pixels.
    static int pickFramesAround(int cell) {
        int n = 0;
        for (const auto& d : standin::log().shapes) {
            n += d.shape == standin::Shape::Rectangle && d.x1 == GameState.cellX[cell] + 3 &&
                 d.y1 == GameState.cellY[cell] + 3 && d.x2 == GameState.cellX[cell] + 43;
        }
        return n;
    }
};

TEST_F(Swap, EachDirectionSwapsWithItsNeighbourButNeverAcrossTheEdgeOfTheBoard) {
    struct Case {
        const char* name;
        int cell, x, y;
        bool swaps;
    };
    const Case cases[] = {{"right", 63, 700, 440, true},
                          {"left", 64, 640, 440, true},
                          {"up", 57, 370, 400, true},
                          {"down", 49, 370, 460, true},
                          {"right from column 8", 8, 717, 120, false},
                          {"far right", 8, 760, 120, false},
                          {"left from column 1", 1, 345, 120, false},
                          {"up from row 1", 1, 370, 95, false},
                          {"down from row 8", 57, 370, 470, false},
                          {"far down", 57, 370, 590, false},
                          {"right of cell 64, below", 64, 700, 500, false},
                          {"the far corner of cell 10's pitch", 10, 442, 192, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        givenBoard(kTwoMoves);
        drag(c.cell, c.x, c.y);
        EXPECT_EQ(plays("sam/take.wav"), 0);
        EXPECT_EQ(GameState.selectedCell, c.cell);
        expectSoundBoard();
        if (c.swaps) {
            EXPECT_EQ(GameState.score, 10);
            EXPECT_EQ(cellsOfKind(5), 3) << "the line's three 5s are gone; none enters at level 1";
        } else {
            EXPECT_EQ(board(), with({}, 0, kTwoMoves));
            // Released after the third pass's flip, seen by the next poll: four passes.
            EXPECT_EQ(standin::log().flips, 4);
        }
    }
}

TEST_F(Swap, ASwapWithoutALineIsTakenBackWithOneCueAfterTheButtonIsReleased) {
    givenBoard(kQuiet);
    const double start = standin::log().clock;
    standin::setRestDriver([start](double clock) {
        if (clock > start + 2.0) {
            standin::setMouse(460, 170, 0);
        }
    });
    drag(10, 460, 170, 0); // held to the right for two seconds
    EXPECT_EQ(board(), with({}, 0));
    expectSoundBoard();
    EXPECT_EQ(plays("sam/take.wav"), 1);
    EXPECT_EQ(repairs(92, 46).size(), 2u * 47) << "there and back, once";
    EXPECT_EQ(GameState.score, 0);
    EXPECT_GT(standin::log().clock, start + 2.0) << "the drag waits for the release";
}

TEST_F(Swap, ADiagonalDragSwapsHorizontallyThenVertically) {
    givenBoard(kQuiet);
    drag(10, 460, 130); // right of and above cell 10
    EXPECT_EQ(plays("sam/take.wav"), 2);
    EXPECT_EQ(board(), with({}, 0));
    auto horizontal = repairs(92, 46), vertical = repairs(46, 92);
    ASSERT_EQ(horizontal.size() + vertical.size(), 4u * 47);
    EXPECT_EQ(vertical[0].sy, 100) << "cell 10 with the one above it";
    EXPECT_LT(horizontal.back().frame, vertical.front().frame);
}

// Each half of a diagonal drag is judged on its own: the vertical half that makes no
// line is taken back even though the horizontal half made one.
TEST_F(Swap, ADiagonalDragTakesBackTheHalfThatMadeNoLine) {
    givenBoard(kTwoMoves);
    drag(63, 700, 380); // right of and above cell 63: the right swap makes a line of 5s
    EXPECT_EQ(GameState.score, 10);
    EXPECT_EQ(plays("sam/take.wav"), 1);
    EXPECT_EQ(repairs(46, 92).size(), 2u * 47) << "the upward swap there and back";
    expectSoundBoard();
}

TEST_F(Swap, AStarDropsDuringADragOnlyWhenTheSwapMadeALine) {
    givenBoard(with({60}, 6, kTwoMoves)); // a star element in the bottom row of column 4
    GameState.columnStar[4] = 0;
    GameState.boardChanged = 1; // from an earlier drag: cleared when this one begins
    drag(10, 460, 170);
    EXPECT_EQ(GameState.stars, 0);
    EXPECT_EQ(GameState.grid[4][8], 6);

    drag(63, 700, 440);
    EXPECT_EQ(GameState.stars, 1);
    EXPECT_EQ(GameState.columnStar[4], 1);
    EXPECT_EQ(GameState.score, 10 + 1000);
    expectSoundBoard();
}

TEST_F(Swap, AClickPicksACellAndAClickOnTheSameOrAFarCellOrOffTheCellsDropsIt) {
    givenBoard(kTwoMoves);
    click(10);
    EXPECT_EQ(GameState.pickedCell, 10);
    EXPECT_EQ(pickFramesAround(10), 1);
    const auto second = [](const char* what, auto action) {
        SCOPED_TRACE(what);
        click(10);
        ASSERT_EQ(GameState.pickedCell, 10);
        standin::log() = standin::Log{};
        action();
        EXPECT_EQ(GameState.pickedCell, 0);
        EXPECT_EQ(repairs(46, 46).size(), 1u) << "the frame is erased with the cell";
        EXPECT_EQ(sheetPieces(app::sheet::kElementPieces[GameState.cellKind[10]]).size(), 1u);
        EXPECT_EQ(pickFramesAround(30), 0);
    };
    click(10); // on the picked cell
    EXPECT_EQ(GameState.pickedCell, 0);
    // The hand moves on as it lets go: the poll that sees the release finds it far away.
    holdLeftButton(GameState.cellX[10] + 23, GameState.cellY[10] + 23);
    support::FrameScript().mouseAt(2, 30, 30, 0).install();
    GameState.selectedCell = 10;
    play::dragSwap();
    EXPECT_EQ(GameState.pickedCell, 10);
    play::clickCell(0);
    // Off the board to the right of cell 8 and back while held: no swap, and no click.
    const int x8 = GameState.cellX[8] + 23, y8 = GameState.cellY[8] + 23;
    holdLeftButton(x8, y8);
    support::FrameScript()
        .mouseAt(2, 760, y8, 1)
        .mouseAt(4, x8, y8, 1)
        .mouseAt(6, x8, y8, 0)
        .install();
    GameState.selectedCell = 8;
    play::dragSwap();
    EXPECT_EQ(GameState.pickedCell, 0);
    second("a far cell", [] { click(30); });
    second("the cell two to the right", [] { click(12); });
    second("the end of the row above", [] { click(8); });
    second("a click off the cells", [] { play::clickCell(0); });
    second("a release above the board", [] { drag(30, 600, 95); });
    EXPECT_EQ(board(), with({}, 0, kTwoMoves));
    EXPECT_EQ(plays("sam/take.wav"), 0);
}

// Clicking 63 and then its neighbour 64 (or 49 and then 57) makes the same line as the
// drag of 63 onto 64: the same board, score, sounds and sliding frames.
TEST_F(Swap, AClickOnTheNeighbourOfThePickedCellSwapsThemAsADragWould) {
    struct Outcome {
        std::string board;
        int score;
        std::vector<std::string> sounds;
        std::vector<std::pair<float, float>> slide;
    };
    const auto outcome = [] {
        Outcome o{board(), GameState.score, {}, {}};
        for (const auto& p : standin::log().plays) {
            o.sounds.push_back(p.path);
        }
        for (const auto& d : repairs(92, 46)) {
            o.slide.emplace_back(d.dx, d.dy);
        }
        return o;
    };
    for (const auto& [from, to, x, y] : {std::tuple{63, 64, 700, 440}, {57, 49, 370, 400}}) {
        SCOPED_TRACE(from);
        SetUp();
        givenBoard(kTwoMoves);
        drag(from, x, y);
        const Outcome dragged = outcome();
        ASSERT_EQ(dragged.score, 10);
        SetUp();
        givenBoard(kTwoMoves);
        click(from);
        click(to);
        const Outcome clicked = outcome();
        EXPECT_EQ(clicked.board, dragged.board);
        EXPECT_EQ(clicked.score, dragged.score);
        EXPECT_EQ(clicked.sounds, dragged.sounds);
        EXPECT_EQ(clicked.slide, dragged.slide);
        EXPECT_EQ(GameState.pickedCell, 0);
        expectSoundBoard();
    }
}

TEST_F(Swap, AClickedSwapWithoutALineIsTakenBackWithTheCueAndADragStillWorksWhilePicked) {
    givenBoard(kQuiet);
    click(10);
    click(18); // the cell below
    EXPECT_EQ(board(), with({}, 0));
    EXPECT_EQ(plays("sam/take.wav"), 1);
    EXPECT_EQ(repairs(46, 92).size(), 2u * 47) << "there and back";
    EXPECT_EQ(GameState.pickedCell, 0);

    givenBoard(kTwoMoves);
    click(10);
    drag(63, 700, 440);
    EXPECT_EQ(GameState.score, 10);
    EXPECT_EQ(GameState.pickedCell, 0) << "the drag dropped the pick";
    expectSoundBoard();
}

// Each frame of a swap counts for the clock, be the swap dragged or clicked; each frame
// of a held button twice.
TEST_F(Swap, InTheTimedGameAClickedSwapCountsForTheClockAsADraggedOne) {
    for (const bool clicked : {false, true}) {
        SCOPED_TRACE(clicked ? "clicked" : "dragged");
        SetUp();
        givenBoard(kQuiet);
        GameState.mode = board::GameMode::Timed;
        GameState.clockTicks = 0;
        if (clicked) {
            click(10);
            click(11);
        } else {
            drag(10, 460, 170);
        }
        const int swapFrames = 2 * 47;
        EXPECT_EQ(plays("sam/take.wav"), 1);
        EXPECT_GE(GameState.clockTicks, swapFrames) << "the swap's frames count";
    }
}

TEST_F(Swap, InTheTimedGameAHeldDragCountsTwiceForTheClock) {
    for (auto mode : {board::GameMode::Timed, board::GameMode::Relaxed}) {
        SetUp();
        givenBoard(kQuiet);
        GameState.mode = mode;
        GameState.clockTicks = 0;
        drag(10, 420, 170, 10);
        // The held drag sleeps until the hand moves or the clock is due, and counts the
        // frames that passed meanwhile twice: the bar steps more often than the frames
        // alone (a step every 641 at level 1) would make it.
        const double frames = standin::log().clock / app::kNominalFrame;
        if (mode == board::GameMode::Timed) {
            EXPECT_GT(GameState.clockBar, static_cast<int>(frames / 641));
        } else {
            EXPECT_EQ(GameState.clockTicks, 0);
        }
    }
}

// The close while the button is still held after a swap is answered at once: the drag
// ends for the game to ask, rather than waiting for the hand.
TEST_F(Swap, TheWindowsCloseIsAnsweredWhileTheButtonIsStillHeld) {
    givenBoard(kTwoMoves);
    app::AskBeforeClosing asking;
    standin::setRestDriver([closed = false](double clock) mutable {
        if (clock > 1.0 && !closed) {
            closed = true;
            standin::clickWindowClose();
        }
    });
    drag(64, 640, 440, 0); // swaps, and is never let go
    EXPECT_EQ(GameState.score, 10);
    EXPECT_TRUE(app::takeCloseRequest());
}

// In click-click play a click made while the board moved is dropped, and with it the pair
// it began: the click on its neighbour after is spent too, so no pair the player did not
// aim at is swapped; the click after that starts a new pair.
TEST_F(Swap, AClickDroppedWhileTheBoardMovedTakesTheRestOfItsPairWithIt) {
    givenBoard(kQuiet);
    {
        app::During moving(app::Moment::Animating);
        standin::quickClick(GameState.cellX[10] + 23, GameState.cellY[10] + 23, app::kLeftButton);
        app::takeEvents();
    }
    app::pollInput();
    int x = 0;
    int y = 0;
    ASSERT_TRUE(app::takeDroppedClick(x, y));
    play::dropHalfPair(x, y);
    click(11);
    EXPECT_EQ(GameState.pickedCell, 0);
    EXPECT_EQ(plays("sam/take.wav") + plays("sam/snd1.wav"), 0) << "nothing swapped";
    click(20);
    EXPECT_EQ(GameState.pickedCell, 20);
}

} // namespace
