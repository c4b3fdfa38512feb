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
#include "play/panel.hpp"

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

// The star-line banner over the board.
constexpr app::Rect kStarBanner = app::sheet::kStarLineBanner;
constexpr app::Point kStarBannerAt{461, 302};
constexpr app::Point kStarBannerText{534, 326};
constexpr ALLEGRO_COLOR kStarBannerColour = app::palette::rgb(200, 180, 60);

// The flash beside the bars when one pays, and what it fades back to.
constexpr app::Rect kFlash = app::sheet::kBarFullFlash;
constexpr app::Rect kFlashBackdrop{472, 260, 64, 62};
constexpr app::Point kFlashAt{240, 260};
constexpr int kFlashInSteps = 34;
constexpr int kFlashOutSteps = 44;

// The star drop below the board.
constexpr int kBottomRowY = 422;
constexpr int kDropFrames = 58;
constexpr int kDropRepaintHeight = 101; // the bottom cell and the frame below it
constexpr int kDropBannerFrame = 3;
constexpr app::Rect kDropBanner = app::sheet::kStarAwardBanner;
constexpr app::Point kDropBannerAt{459, 311};
constexpr app::Point kDropBannerText{566, 318};
constexpr app::Rect kLowerFrameStrip = app::sheet::kBoardBottomBorder;
constexpr app::Point kLowerFrameStripAt{348, 467};
constexpr int kColumnHeight = 368;
constexpr int kSlideFrames = 47;
constexpr ALLEGRO_COLOR kDropBannerColour = app::palette::rgb(180, 180, 110);

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
        al_draw_textf(Assets.font24, kAwardColour, xOf(line.column) + kVerticalAwardX,
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
        al_draw_bitmap_region(Assets.scratch, startX, kEntryBandY, width, fallHeight, startX,
                              kEntryBandY + d, 0);
        app::restoreFromScreen({startX, kEntryBandY, width, kPitch});
        if (d < kFallFrames - 1 && GameState.lineKind != ElementKind::Star) {
            al_draw_textf(Assets.font24, kAwardColour,
                          startX + kAwardOffsetX + kPitch * line.length / 2, startY + kAwardOffsetY,
                          ALLEGRO_ALIGN_CENTRE, " %d", GameState.awardPoints);
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
        al_draw_bitmap_region(Assets.scratch, startX, kEntryBandY, kPitch, stripHeight, startX,
                              kEntryBandY + d, 0);
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

// A bonus line rests a moment on its cue; a star line shows its banner over the board.
void showSpecialLine(int lineKind) {
    if (lineKind == ElementKind::Bonus) {
        app::sleepFor(0.1);
        return;
    }
    app::drawSheet(kStarBanner, kStarBannerAt);
    al_draw_textf(Assets.font20, kStarBannerColour, kStarBannerText.x, kStarBannerText.y,
                  ALLEGRO_ALIGN_CENTRE, "%d", GameState.awardPoints);
    app::showCanvas();
    app::sleepFor(2.0);
    app::restoreFromScreen(kBoardArea);
    drawAllCells();
}

void showScore() {
    drawScore(GameState.score, GameState.record);
    app::sleepFor(0.001);
    app::showCanvas();
}

void showKindBar(int kind) {
    drawKindBar(kind, GameState.kindProgress[kind]);
    app::showCanvas();
    app::sleepFor(0.001);
}

void flashFullBar(int kind) {
    app::Pace flashIn(0.02);
    for (int i = 0; i < kFlashInSteps; ++i) {
        app::drawSheetTinted(kFlash, kFlashAt, al_map_rgba(i, i, i, 2 * i));
        flashIn.frame(i == kFlashInSteps - 1);
    }
    eraseKindBar(kind);
}

void fadeBarFlash(int) {
    app::Pace flashOut(0.02);
    for (int i = 0; i < kFlashOutSteps; ++i) {
        al_draw_tinted_bitmap_region(Assets.background, al_map_rgba(i, i, i, i), kFlashBackdrop.x,
                                     kFlashBackdrop.y, kFlashBackdrop.w, kFlashBackdrop.h,
                                     kFlashAt.x, kFlashAt.y, 0);
        flashOut.frame(i == kFlashOutSteps - 1);
    }
}

// The element of `cell` vanishes and `kind` takes its place, resting `rest` per frame.
void changeElement(int cell, int kind, double rest) {
    const board::GameStateRecord& g = GameState;
    app::Pace pace(rest);
    for (int f = 0; f < kVanishFrames; ++f) {
        drawVanishFrame(f, g.cellX[cell], g.cellY[cell]);
        pace.frame(f == kVanishFrames - 1);
    }
    app::drawElement(kind, g.cellX[cell], g.cellY[cell]);
}

void turnBonus(int cell, int kind) {
    changeElement(cell, kind, 0.02);
}

void reshuffle(int cell, int kind) {
    changeElement(cell, kind, 0.03);
}

void emptyBottomCell(int column) {
    app::restoreFromScreen({xOf(column), kBottomRowY, kPitch, kPitch});
}

// The star falls out of the board behind its lower frame.
void dropStar(int column) {
    const int x = xOf(column);
    app::Pace drop(0.03);
    for (int t = 1; t <= kDropFrames; ++t) {
        if (t == kDropBannerFrame) {
            app::drawSheet(kDropBanner, kDropBannerAt);
            al_draw_textf(Assets.font20, kDropBannerColour, kDropBannerText.x, kDropBannerText.y,
                          ALLEGRO_ALIGN_CENTRE, "%d", GameState.awardPoints);
        }
        app::restoreFromScreen({x, kBottomRowY, kPitch, kDropRepaintHeight});
        app::drawElement(ElementKind::Star, x, kBottomRowY - 1 + t);
        app::drawSheet(kLowerFrameStrip, kLowerFrameStripAt);
        clockTick();
        drop.frame(t == kDropFrames);
    }
}

// The banner goes and the board is redrawn without the star: its cell stays empty.
void showBoardWithoutStar(int column) {
    const int x = xOf(column);
    app::restoreFromScreen({kDropBannerAt.x, kDropBannerAt.y, kDropBanner.w, kDropBanner.h});
    const int emptied = board::cellNumber(column, kSide);
    app::Pace redraw(0.0);
    for (int cell = 1; cell <= kCells; ++cell) {
        if (cell == emptied) {
            app::restoreFromScreen({x, kBottomRowY, kPitch, kPitch});
        } else {
            drawCell(cell);
        }
        redraw.frame(cell == kCells);
    }
}

// The column above slides down into the empty bottom cell, and the star joins the row.
void slideColumn(int column) {
    const int x = xOf(column);
    copyBoardToScratch();
    const int upperRows = kPitch * (kSide - 1);
    app::Pace slide(0.002);
    for (int d = 0; d < kSlideFrames; ++d) {
        app::restoreFromScreen({x, kBoardY, kPitch, kColumnHeight});
        al_draw_bitmap_region(Assets.scratch, x, kBoardY, kPitch, upperRows, x, kBoardY + d, 0);
        clockTick();
        slide.frame(d == kSlideFrames - 1);
    }
    drawStarInRow(GameState.stars);
}

void enterAtTop(int column, int kind) {
    app::drawElement(kind, xOf(column), kBoardY);
    app::showCanvas();
    app::sleepFor(1.0);
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
    h.specialLineScored = showSpecialLine;
    h.scoreChanged = showScore;
    h.kindBarAdvanced = showKindBar;
    h.kindBarFull = flashFullBar;
    h.bonusTurned = turnBonus;
    h.kindBarPaid = fadeBarFlash;
    h.elementReshuffled = reshuffle;
    h.starLeaves = emptyBottomCell;
    h.starFalls = dropStar;
    h.starGone = showBoardWithoutStar;
    h.columnSlides = slideColumn;
    h.starColumnFilled = enterAtTop;
}

} // namespace play
