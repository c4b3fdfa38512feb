#include "play/score_display.hpp"

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
#include "play/panel.hpp"

#include <allegro5/allegro_font.h>

namespace play {

using app::Assets;
using board::GameState;
namespace ElementKind = board::ElementKind;

namespace {

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

// A bonus line rests a moment on its cue; a star line shows its banner over the board.
void showSpecialLine(int lineKind) {
    if (lineKind == ElementKind::Bonus) {
        app::sleepFor(0.1);
        return;
    }
    app::drawSheet(kStarBanner, kStarBannerAt);
    app::drawTextf(Assets.font20, kStarBannerColour, kStarBannerText.x, kStarBannerText.y,
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
        app::drawArtTinted(Assets.background, al_map_rgba(i, i, i, i), kFlashBackdrop, kFlashAt);
        flashOut.frame(i == kFlashOutSteps - 1);
    }
}

// A bar's bonus elements turn one after another.
void turnBonus(int cell, int kind) {
    changeElement(cell, kind, 0.02);
}

} // namespace

void showScoring(board::BoardHooksRecord& hooks) {
    hooks.specialLineScored = showSpecialLine;
    hooks.scoreChanged = showScore;
    hooks.kindBarAdvanced = showKindBar;
    hooks.kindBarFull = flashFullBar;
    hooks.bonusTurned = turnBonus;
    hooks.kindBarPaid = fadeBarFlash;
}

} // namespace play
