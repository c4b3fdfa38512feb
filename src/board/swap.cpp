#include "board/swap.hpp"

#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sound.hpp"
#include "board/board_setup.hpp"
#include "board/board_view.hpp"
#include "board/game_state.hpp"
#include "board/lines.hpp"
#include "play/clock.hpp"
#include "play/panel.hpp"

#include <allegro5/allegro_primitives.h>

namespace board {

namespace {

constexpr int kSwapFrames = 47;
constexpr double kSwapRest = 0.004;
// The board's extent for the direction tests: cellX[1] < x <= cellX[8] + 45, likewise y.
constexpr int kBoardRight = kBoardX + kPitch * kSide - 1;
constexpr int kBoardBottom = kBoardY + kPitch * kSide - 1;

// While a drag is held the clock also counts its passes towards a step of its own.
constexpr int kDragTicksPerStep = 1000;

// A swap of cell s with neighbour p: the region repainted each frame and where the two
// sprites start, relative to s; each frame b moves one pixel towards s and a towards p.
struct SwapMove {
    int neighbour; // p - s
    app::Rect repaint;
    app::Point bFrom, bStep;
    app::Point aStep;
};

constexpr SwapMove kRight{1, {0, 0, 2 * kPitch, kPitch}, {kPitch, 0}, {-1, 0}, {1, 0}};
constexpr SwapMove kLeft{-1, {-kPitch, 0, 2 * kPitch, kPitch}, {-kPitch, 0}, {1, 0}, {-1, 0}};
constexpr SwapMove kUp{-kSide, {0, -kPitch, kPitch, 2 * kPitch}, {0, -kPitch}, {0, 1}, {0, -1}};
constexpr SwapMove kDown{kSide, {0, 0, kPitch, 2 * kPitch}, {0, kPitch}, {0, -1}, {0, 1}};

// The picked cell's frame lies inside the cell's own pixels, so repainting the cell
// erases it.
constexpr int kPickInset = 3;
constexpr float kPickThickness = 2;
constexpr ALLEGRO_COLOR kPickColour = app::palette::rgb(250, 225, 120);

bool onBoard(int cell) {
    return cell >= 1 && cell <= kCells;
}

void swapWith(const SwapMove& move) {
    GameStateRecord& g = GameState;
    const int s = g.selectedCell;
    const int p = s + move.neighbour;
    // Left and right neighbours must share the row; nothing is swapped across an edge.
    if (!onBoard(s) || !onBoard(p) ||
        (move.neighbour * move.neighbour == 1 && rowOf(s) != rowOf(p))) {
        return;
    }
    const int a = g.cellKind[s];
    const int b = g.cellKind[p];
    const int xs = g.cellX[s];
    const int ys = g.cellY[s];
    app::Pace pace(kSwapRest);
    for (int d = 0; d < kSwapFrames; ++d) {
        app::restoreFromScreen(
            {xs + move.repaint.x, ys + move.repaint.y, move.repaint.w, move.repaint.h});
        app::drawElement(b, xs + move.bFrom.x + move.bStep.x * d,
                         ys + move.bFrom.y + move.bStep.y * d);
        app::drawElement(a, xs + move.aStep.x * d, ys + move.aStep.y * d);
        play::clockTick();
        pace.frame(d == kSwapFrames - 1);
    }
    g.cellKind[s] = b;
    g.cellKind[p] = a;
    rebuildGridFromCells();
}

// Lines are resolved at once; a swap that made none is taken back. Each swap of a drag
// is judged on its own: the vertical half of a diagonal drag is taken back even when the
// horizontal half made a line. The flag then again says whether the drag changed the
// board, as the star drops read it. Then the drag waits for the button to be released
// before it tests any further direction.
void afterSwap(void (*swap)()) {
    const int changedBefore = GameState.boardChanged;
    GameState.boardChanged = 0;
    resolveLines();
    const int changed = GameState.boardChanged;
    if (changed == 0) {
        app::playCue(app::SoundCue::Take);
        swap();
    }
    GameState.boardChanged = changedBefore == 1 || changed == 1 ? 1 : 0;
    // Read into the poll's own copy, so the next poll does not report the button as
    // still held from before the swap.
    do {
        app::readMouse(app::mouseState);
        if (app::mouseState.buttons != 0) {
            app::sleepFor(app::kFrameRest);
        }
    } while (app::mouseState.buttons != 0);
}

// The swap that moves the element of `from` onto the neighbouring cell `to`; nullptr when
// the two are not neighbours (a row's ends are not).
void (*swapOnto(int from, int to))() {
    if (rowOf(from) == rowOf(to) && to == from + 1) {
        return swapRight;
    }
    if (rowOf(from) == rowOf(to) && to == from - 1) {
        return swapLeft;
    }
    if (to == from - kSide) {
        return swapUp;
    }
    if (to == from + kSide) {
        return swapDown;
    }
    return nullptr;
}

void countDragPass() {
    GameStateRecord& g = GameState;
    if (g.mode != GameMode::Timed) {
        return;
    }
    g.clockTicks += 1;
    if (g.clockTicks > kDragTicksPerStep) {
        g.clockTicks = 0;
        g.clockBar += 1;
        play::eraseClockRows(g.clockBar);
        app::showCanvas();
    }
}

} // namespace

void swapRight() {
    swapWith(kRight);
}
void swapLeft() {
    swapWith(kLeft);
}
void swapUp() {
    swapWith(kUp);
}
void swapDown() {
    swapWith(kDown);
}

void dragSwap(bool fromPress) {
    GameStateRecord& g = GameState;
    const app::InputStateRecord& in = app::InputState;
    const int pressed = g.selectedCell;
    bool swapped = false;
    bool strayed = false; // the pointer left the pressed cell while the button was held
    // A pass of the drag counts as many frames of the game loop as have come due since
    // the last one.
    app::FrameClock frames;
    int passes = 1;
    while (in.buttons == app::kLeftButton) {
        app::pollInput();
        g.boardChanged = 0;
        for (int i = 0; i < passes; ++i) {
            play::clockTick();
            countDragPass();
        }

        const int s = g.selectedCell;
        if (onBoard(s)) {
            // Every test uses the position of this pass's poll, even after a swap, so a
            // drag that ends diagonally swaps horizontally and then vertically.
            const int x = in.x;
            const int y = in.y;
            const bool held = in.buttons == app::kLeftButton;
            // Within the bounds the drag swaps at; on the board beyond them it swaps.
            strayed = strayed || (held && (x < g.cellX[s] || x > g.cellX[s] + kPitch ||
                                           y < g.cellY[s] || y > g.cellY[s] + kPitch));
            const bool acrossBoard = x > kBoardX && x <= kBoardRight;
            const bool downBoard = y > kBoardY && y <= kBoardBottom;
            if (acrossBoard && x > g.cellX[s] + kPitch && held) {
                swapRight();
                afterSwap(swapRight);
                swapped = true;
            }
            if (acrossBoard && x < g.cellX[s] && held) {
                swapLeft();
                afterSwap(swapLeft);
                swapped = true;
            }
            if (downBoard && y < g.cellY[s] && held) {
                swapUp();
                afterSwap(swapUp);
                swapped = true;
            }
            if (downBoard && y > g.cellY[s] + kPitch && held) {
                swapDown();
                afterSwap(swapDown);
                swapped = true;
            }
        }
        passes = frames.next();
    }
    // Where the pointer was while the button was held decides, not where the poll that
    // saw the release found it: a hand moves on at once, and a slow present may come first.
    const bool click = fromPress && !swapped && !strayed;
    clickCell(click ? pressed : 0);
}

void clickCell(int cell) {
    GameStateRecord& g = GameState;
    const int picked = g.pickedCell;
    dropPick();
    if (!onBoard(cell) || cell == picked) {
        return;
    }
    if (picked == 0) {
        g.pickedCell = cell;
        drawPick();
        return;
    }
    void (*swap)() = swapOnto(picked, cell);
    if (swap == nullptr) {
        return;
    }
    // As a drag from the picked cell onto this one: the same slide, the same lines, the
    // same cue and slide back when no line forms.
    g.selectedCell = picked;
    g.boardChanged = 0;
    swap();
    afterSwap(swap);
}

void drawPick() {
    const GameStateRecord& g = GameState;
    const int cell = g.pickedCell;
    if (!onBoard(cell)) {
        return;
    }
    const float x = static_cast<float>(g.cellX[cell]);
    const float y = static_cast<float>(g.cellY[cell]);
    al_draw_rectangle(x + kPickInset, y + kPickInset, x + kPitch - kPickInset,
                      y + kPitch - kPickInset, kPickColour, kPickThickness);
}

void dropPick() {
    int& cell = GameState.pickedCell;
    if (onBoard(cell)) {
        app::restoreFromScreen({GameState.cellX[cell], GameState.cellY[cell], kPitch, kPitch});
        drawCell(cell);
    }
    cell = 0;
}

} // namespace board
