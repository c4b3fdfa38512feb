#include "play/star_drop.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/hooks.hpp"
#include "play/board_view.hpp"
#include "play/clock.hpp"
#include "play/panel.hpp"

#include <allegro5/allegro_font.h>

#include <algorithm>
#include <iterator>

namespace play {

using app::Assets;
using board::GameState;
using board::kBoardY;
using board::kCells;
using board::kPitch;
using board::kSide;

namespace {

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

void emptyBottomCell(int column) {
    app::restoreFromScreen({xOf(column), kBottomRowY, kPitch, kPitch});
}

// The columns whose star fell during this level.
bool fell[board::kSide + 1] = {};

// The star falls out of the board behind its lower frame.
void dropStar(int column) {
    const int x = xOf(column);
    app::Pace drop(0.03);
    for (int t = 1; t <= kDropFrames; ++t) {
        if (t == kDropBannerFrame) {
            app::drawSheet(kDropBanner, kDropBannerAt);
            app::drawTextf(Assets.font20, kDropBannerColour, kDropBannerText.x, kDropBannerText.y,
                           ALLEGRO_ALIGN_CENTRE, "%d", GameState.awardPoints);
        }
        app::restoreFromScreen({x, kBottomRowY, kPitch, kDropRepaintHeight});
        app::drawElement(board::ElementKind::Star, x, kBottomRowY - 1 + t);
        app::drawSheet(kLowerFrameStrip, kLowerFrameStripAt);
        clockTick();
        drop.frame(t == kDropFrames);
    }
    if (column >= 1 && column <= board::kSide) {
        fell[column] = true;
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
        app::copyRegion(Assets.scratch, {x, kBoardY, kPitch, upperRows}, {x, kBoardY + d});
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

void drawTrayStarAsShown(int column) {
    if (column >= 1 && column <= board::kSide && fell[column]) {
        app::drawElement(board::ElementKind::Star, xOf(column), kBottomRowY - 1 + kDropFrames);
        app::drawSheet(kLowerFrameStrip, kLowerFrameStripAt);
    } else {
        drawTrayStar(column);
    }
}

void forgetFallenStars() {
    std::fill(std::begin(fell), std::end(fell), false);
}

void showStarDrops(board::BoardHooksRecord& hooks) {
    hooks.starLeaves = emptyBottomCell;
    hooks.starFalls = dropStar;
    hooks.starGone = showBoardWithoutStar;
    hooks.columnSlides = slideColumn;
    hooks.starColumnFilled = enterAtTop;
}

} // namespace play
