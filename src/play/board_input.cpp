#include "play/board_input.hpp"

#include "app/draw.hpp"
#include "app/geometry.hpp"
#include "app/input.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/press_rules.hpp"
#include "app/window.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/swap.hpp"
#include "play/board_view.hpp"
#include "play/clock.hpp"
#include "play/panel.hpp"

#include <allegro5/allegro_primitives.h>

#include <algorithm>
#include <utility>

namespace play {

using board::GameState;
using board::kSide;

namespace {

// A cell is hit inside a 44 x 44 square of its 46-pixel pitch; the left and top edges
// and the two-pixel gaps between cells hit nothing.
constexpr int kHitSize = 44;

// The board's extent for the direction tests: cellX[1] < x <= cellX[8] + 45, likewise y.
constexpr int kBoardRight = board::kBoardX + board::kPitch * kSide - 1;
constexpr int kBoardBottom = board::kBoardY + board::kPitch * kSide - 1;

// While a drag is held the clock also counts its passes towards a step of its own.
constexpr int kDragTicksPerStep = 1000;
// A held drag with nothing due looks again after this many frames.
constexpr int kIdleDragFrames = 750;

// The picked cell's frame lies inside the cell's own pixels, so repainting the cell
// erases it.
constexpr int kPickInset = 3;
constexpr float kPickThickness = 2;
constexpr ALLEGRO_COLOR kPickColour = app::palette::rgb(250, 225, 120);

// The cell whose hit box holds (x, y), or 0.
int cellAt(int x, int y) {
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            const board::Pixel at = board::cellPixel(c, r);
            if (app::HitBox{at.x + 1, at.y, at.x + kHitSize, at.y + kHitSize}.contains(x, y)) {
                return board::cellNumber(c, r);
            }
        }
    }
    return 0;
}

// The cell of a click dropped while the board moved: the click that would have made a
// pair with it is spent too, so the next one starts a new pair. 0: none.
int brokenPair = 0;

bool besideOrOn(int cell, int other) {
    const int dc = board::columnOf(cell) - board::columnOf(other);
    const int dr = board::rowOf(cell) - board::rowOf(other);
    return dc * dc + dr * dr <= 1;
}

// The swap runs and the board settles; then the drag waits for the button to be
// released before it tests any further direction.
void afterSwap(void (*swap)()) {
    {
        app::During moving(app::Moment::Animating);
        board::settleSwap(swap);
    }
    app::waitForRelease();
    // The release is no click: the next poll must not report the button held.
    app::pollInput();
}

// Frames until a held drag's clock moves: its own step or the clock's.
int framesToDragStep() {
    const board::GameStateRecord& g = GameState;
    if (g.mode != board::GameMode::Timed) {
        return kIdleDragFrames;
    }
    const int own = kDragTicksPerStep + 1 - g.clockTicks;
    const int clock = framesToClockStep();
    return std::max(1, std::min({own, clock > 0 ? clock : own, kIdleDragFrames}));
}

void countDragPass() {
    board::GameStateRecord& g = GameState;
    if (g.mode != board::GameMode::Timed) {
        return;
    }
    g.clockTicks += 1;
    if (g.clockTicks > kDragTicksPerStep) {
        g.clockTicks = 0;
        g.clockBar += 1;
        eraseClockRows(g.clockBar);
        app::showCanvas();
    }
}

} // namespace

void updateBoardFrame() {
    board::GameStateRecord& g = GameState;
    app::InputStateRecord& in = app::InputState;
    for (int r = 1; r <= kSide; ++r) {
        for (int c = 1; c <= kSide; ++c) {
            const board::Pixel at = board::cellPixel(c, r);
            g.cellX[board::cellNumber(c, r)] = at.x;
            g.cellY[board::cellNumber(c, r)] = at.y;
        }
    }
    if (const int cell = cellAt(in.x, in.y)) {
        in.hover = cell;
    }
    if (const int button = panelButtonAt(in.x, in.y)) {
        in.hover = button;
    }
}

void dragSwap(bool fromPress) {
    board::GameStateRecord& g = GameState;
    const app::InputStateRecord& in = app::InputState;
    const int pressed = g.selectedCell;
    bool swapped = false;
    bool strayed = false; // the pointer left the pressed cell while the button was held
    // A pass of the drag counts as many frames of the game loop as have come due since
    // the last one.
    app::FrameClock frames;
    int passes = 1;
    while (in.buttons == app::kLeftButton && !app::closeWaiting()) {
        app::pollInput();
        g.boardChanged = 0;
        for (int i = 0; i < passes; ++i) {
            clockTick();
            countDragPass();
        }

        const int s = g.selectedCell;
        if (board::onBoard(s)) {
            // Every test uses the position of this pass's poll, even after a swap, so a
            // drag that ends diagonally swaps horizontally and then vertically.
            const int x = in.x;
            const int y = in.y;
            const bool held = in.buttons == app::kLeftButton;
            // Within the bounds the drag swaps at; on the board beyond them it swaps.
            strayed = strayed || (held && (x < g.cellX[s] || x > g.cellX[s] + board::kPitch ||
                                           y < g.cellY[s] || y > g.cellY[s] + board::kPitch));
            const bool acrossBoard = x > board::kBoardX && x <= kBoardRight;
            const bool downBoard = y > board::kBoardY && y <= kBoardBottom;
            if (acrossBoard && x > g.cellX[s] + board::kPitch && held) {
                board::swapRight();
                afterSwap(board::swapRight);
                swapped = true;
            }
            if (acrossBoard && x < g.cellX[s] && held) {
                board::swapLeft();
                afterSwap(board::swapLeft);
                swapped = true;
            }
            if (downBoard && y < g.cellY[s] && held) {
                board::swapUp();
                afterSwap(board::swapUp);
                swapped = true;
            }
            if (downBoard && y > g.cellY[s] + board::kPitch && held) {
                board::swapDown();
                afterSwap(board::swapDown);
                swapped = true;
            }
        }
        // Asleep until the hand moves or the clock's next step is due.
        passes = frames.next(framesToDragStep());
    }
    // Where the pointer was while the button was held decides, not where the poll that
    // saw the release found it: a hand moves on at once, and a slow present may come first.
    const bool click = fromPress && !swapped && !strayed;
    const int broken = std::exchange(brokenPair, 0);
    if (click && broken != 0 && GameState.pickedCell == 0 && besideOrOn(pressed, broken)) {
        return; // the second half of a pair whose first was dropped
    }
    clickCell(click ? pressed : 0);
}

void dropHalfPair(int x, int y) {
    dropPick();
    brokenPair = cellAt(x, y);
}

void clickCell(int cell) {
    board::GameStateRecord& g = GameState;
    const int picked = g.pickedCell;
    dropPick();
    if (!board::onBoard(cell) || cell == picked) {
        return;
    }
    if (picked == 0) {
        g.pickedCell = cell;
        drawPick();
        return;
    }
    void (*swap)() = board::swapOnto(picked, cell);
    if (swap == nullptr) {
        return;
    }
    // As a drag from the picked cell onto this one: the same slide, the same lines, the
    // same cue and slide back when no line forms.
    g.selectedCell = picked;
    g.boardChanged = 0;
    {
        app::During moving(app::Moment::Animating);
        swap();
    }
    afterSwap(swap);
}

void drawPick() {
    const board::GameStateRecord& g = GameState;
    const int cell = g.pickedCell;
    if (!board::onBoard(cell)) {
        return;
    }
    const float x = static_cast<float>(g.cellX[cell]);
    const float y = static_cast<float>(g.cellY[cell]);
    al_draw_rectangle(x + kPickInset, y + kPickInset, x + board::kPitch - kPickInset,
                      y + board::kPitch - kPickInset, kPickColour, kPickThickness);
}

void dropPick() {
    int& cell = GameState.pickedCell;
    if (board::onBoard(cell)) {
        app::restoreFromScreen(
            {GameState.cellX[cell], GameState.cellY[cell], board::kPitch, board::kPitch});
        drawCell(cell);
    }
    cell = 0;
}

} // namespace play
