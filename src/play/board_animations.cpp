#include "play/board_animations.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/hooks.hpp"
#include "play/board_view.hpp"
#include "play/clock.hpp"
#include "play/score_display.hpp"
#include "play/star_drop.hpp"

#include <allegro5/allegro_font.h>

namespace play {

using app::Assets;
namespace ElementKind = board::ElementKind;
using board::GameState;
using board::kBoardX;
using board::kBoardY;
using board::kCells;
using board::kPitch;
using board::kSide;
using board::Line;

namespace {

// The swap: each frame the two elements move one pixel past each other.
constexpr int kSwapFrames = 47;
constexpr double kSwapRest = 0.004;

// A swap of cell s with neighbour p: the region repainted each frame and where the two
// sprites start, relative to s; each frame b moves one pixel towards s and a towards p.
struct SwapMove {
    int neighbour; // p - s
    app::Rect repaint;
    app::Point bFrom, bStep;
    app::Point aStep;
};

constexpr SwapMove kSwapMoves[] = {
    {1, {0, 0, 2 * kPitch, kPitch}, {kPitch, 0}, {-1, 0}, {1, 0}},
    {-1, {-kPitch, 0, 2 * kPitch, kPitch}, {-kPitch, 0}, {1, 0}, {-1, 0}},
    {-kSide, {0, -kPitch, kPitch, 2 * kPitch}, {0, -kPitch}, {0, 1}, {0, -1}},
    {kSide, {0, 0, kPitch, 2 * kPitch}, {0, kPitch}, {0, -1}, {0, 1}},
};

// The band above the board where entering elements wait before they fall in.
constexpr int kEntryBandY = kBoardY - kPitch;
constexpr app::Rect kRightOfBoard{718, 100, 92, 46};
constexpr int kFallFrames = 47;

// The line's points float over it while it falls; a star line has its own banner.
constexpr int kAwardOffsetX = -5;
constexpr int kAwardOffsetY = 15;
constexpr int kVerticalAwardX = 20;
constexpr int kVerticalAwardY = -35;
constexpr ALLEGRO_COLOR kAwardColour = app::palette::rgb(60, 120, 140);

int xOf(int column) {
    return board::cellPixel(column, 1).x;
}
int yOf(int row) {
    return board::cellPixel(1, row).y;
}

app::SoundCue soundOf(board::SoundCue cue) {
    switch (cue) {
    case board::SoundCue::Take:
        return app::SoundCue::Take;
    case board::SoundCue::Snd1:
        return app::SoundCue::Snd1;
    case board::SoundCue::Kreski:
        return app::SoundCue::Kreski;
    case board::SoundCue::S6:
        return app::SoundCue::S6;
    case board::SoundCue::S7:
        return app::SoundCue::S7;
    case board::SoundCue::Gw1:
        return app::SoundCue::Gw1;
    }
    return app::SoundCue::Snd1;
}

void playCue(board::SoundCue cue) {
    app::playCue(soundOf(cue));
}

void slideSwap(int s, int p) {
    const board::GameStateRecord& g = GameState;
    const SwapMove* found = kSwapMoves;
    while (found->neighbour != p - s) {
        ++found;
    }
    const SwapMove& move = *found;
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
        clockTick();
        pace.frame(d == kSwapFrames - 1);
    }
}

// Vanish frame f over cell `n` of the line, one flip per cell and frame.
void vanish(const Line& line) {
    const int startX = xOf(line.column);
    const int startY = yOf(line.row);
    app::Pace pace(0.004);
    for (int f = 0; f < kVanishFrames; ++f) {
        for (int n = 0; n < line.length; ++n) {
            const int x = line.vertical ? startX : startX + kPitch * n;
            const int y = line.vertical ? startY + kPitch * n : startY;
            drawVanishFrame(f, x, y);
            clockTick();
            pace.frame(f == kVanishFrames - 1 && n == line.length - 1);
        }
    }
}

// The line vanishes, the board as it stood kept off screen for the falls; a vertical
// line's points then show below it.
void vanishLine(const Line& line) {
    copyBoardToScratch();
    vanish(line);
    if (!line.vertical) {
        return;
    }
    if (GameState.lineKind <= ElementKind::Star) {
        app::drawTextf(Assets.font24, kAwardColour, xOf(line.column) + kVerticalAwardX,
                       yOf(line.row) + kVerticalAwardY + kPitch * line.length, ALLEGRO_ALIGN_CENTRE,
                       " %d", GameState.awardPoints);
    }
    app::showCanvas();
    app::sleepFor(0.001);
}

void putEntryIntoScratch(const Line& line, int n, int kind) {
    const int x = line.vertical ? xOf(line.column) : xOf(line.column) + kPitch * n;
    al_set_target_bitmap(Assets.scratch);
    app::drawElement(kind, x, kEntryBandY);
    app::setTargetCanvas();
    if (!line.vertical) {
        app::restoreFromScreen(kRightOfBoard);
    }
}

// The columns of a row's line, with the entries in the band above, slide down one cell.
void fallRow(const Line& line) {
    const int startX = xOf(line.column);
    const int startY = yOf(line.row);
    const int width = kPitch * line.length;
    const int fallHeight = kPitch * line.row;
    app::Pace fall(0.003);
    for (int d = 0; d < kFallFrames; ++d) {
        app::restoreFromScreen({startX, kBoardY, width, fallHeight});
        app::copyRegion(Assets.scratch, {startX, kEntryBandY, width, fallHeight},
                        {startX, kEntryBandY + d});
        app::restoreFromScreen({startX, kEntryBandY, width, kPitch});
        if (d < kFallFrames - 1 && GameState.lineKind != ElementKind::Star) {
            app::drawTextf(
                Assets.font24, kAwardColour, startX + kAwardOffsetX + kPitch * line.length / 2,
                startY + kAwardOffsetY, ALLEGRO_ALIGN_CENTRE, " %d", GameState.awardPoints);
        }
        clockTick();
        fall.frame(d == kFallFrames - 1);
    }
}

// The column above the highest cell of a column's line still to be filled slides down
// one cell, bringing entering element n (0-based) in at the top.
void fallColumn(const Line& line, int n) {
    const int startX = xOf(line.column);
    const int lastRow = line.row + line.length - 1;
    const int stripHeight = kPitch * (line.row + n);
    app::Pace fall(0.0015);
    for (int d = 0; d < kFallFrames; ++d) {
        app::restoreFromScreen({startX, kBoardY, kPitch, kPitch * lastRow});
        app::copyRegion(Assets.scratch, {startX, kEntryBandY, kPitch, stripHeight},
                        {startX, kEntryBandY + d});
        app::restoreFromScreen({startX, kEntryBandY, kPitch, kPitch});
        clockTick();
        fall.frame(d == kFallFrames - 1);
    }
}

void fallLine(const Line& line, int n) {
    if (line.vertical) {
        fallColumn(line, n);
    } else {
        fallRow(line);
    }
}

// After each entry of a column's line, the column as it now stands is kept off screen
// for the next fall.
void keepFallenColumn(const Line& line, int) {
    if (line.vertical) {
        copyBoardToScratch();
        app::sleepFor(0.001);
    }
}

void showRefilledBoard(const Line& line) {
    if (!line.vertical) {
        app::sleepFor(0.001);
    }
    drawAllCellsFlipping();
}

// With no move left, the new element comes in more slowly than a bar's.
void reshuffle(int cell, int kind) {
    changeElement(cell, kind, 0.03);
}

} // namespace

void showBoardSteps() {
    board::BoardHooksRecord& h = board::BoardHooks;
    h.cue = playCue;
    h.silence = app::stopAllCues;
    h.swapSlides = slideSwap;
    h.lineVanishes = vanishLine;
    h.entryWaits = putEntryIntoScratch;
    h.lineFalls = fallLine;
    h.lineFell = keepFallenColumn;
    h.lineRefilled = showRefilledBoard;
    h.elementReshuffled = reshuffle;
    showScoring(h);
    showStarDrops(h);
}

} // namespace play
