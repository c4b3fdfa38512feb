#include "board/scoring.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "board/board_setup.hpp"
#include "board/board_view.hpp"
#include "board/game_state.hpp"
#include "play/panel.hpp"

#include <allegro5/allegro_font.h>

#include <algorithm>

namespace board {

namespace {

// The award joins the score, which stops at the highest score the game keeps.
void addAward() {
    GameStateRecord& g = GameState;
    g.score = g.awardPoints > kMaxScore - g.score ? kMaxScore : g.score + g.awardPoints;
}

// Fixed points of a line at level 1 by kind class and size class 1..3; higher levels
// multiply them. A star line adds a share of the score divided by the level.
constexpr int kOrdinaryPoints[4] = {0, 10, 20, 50};
constexpr int kBonusPoints[4] = {0, 75, 150, 300};
constexpr int kStarPoints[4] = {0, 200, 300, 500};
constexpr int kLongestSizeClass = 3;

constexpr int kBarBonus = 500;
constexpr int kBarFull = 100;

// The star-line banner over the board.
constexpr app::Rect kStarBanner = app::sheet::kStarLineBanner;
constexpr app::Point kStarBannerAt{461, 302};
constexpr app::Point kStarBannerText{534, 326};

// The flash beside the bars when one pays, and what it fades back to.
constexpr app::Rect kFlash = app::sheet::kBarFullFlash;
constexpr app::Rect kFlashBackdrop{472, 260, 64, 62};
constexpr app::Point kFlashAt{240, 260};
constexpr int kFlashInSteps = 34;
constexpr int kFlashOutSteps = 44;

constexpr ALLEGRO_COLOR kStarBannerColour = app::palette::rgb(200, 180, 60);

void showStarBanner() {
    app::playCue(app::SoundCue::S7);
    app::drawSheet(kStarBanner, kStarBannerAt);
    al_draw_textf(app::Assets.font20, kStarBannerColour, kStarBannerText.x, kStarBannerText.y,
                  ALLEGRO_ALIGN_CENTRE, "%d", GameState.awardPoints);
    app::showCanvas();
    app::sleepFor(2.0);
    app::restoreFromScreen(kBoardArea);
    drawAllCells();
}

void turnBonusElementsInto(int kind) {
    GameStateRecord& g = GameState;
    for (int cell = 1; cell <= kCells; ++cell) {
        if (g.cellKind[cell] != ElementKind::Bonus) {
            continue;
        }
        app::playCue(app::SoundCue::Snd1);
        app::Pace pace(0.02);
        for (int f = 0; f < kVanishFrames; ++f) {
            drawVanishFrame(f, g.cellX[cell], g.cellY[cell]);
            pace.frame(f == kVanishFrames - 1);
        }
        app::drawElement(kind, g.cellX[cell], g.cellY[cell]);
        g.cellKind[cell] = kind;
        g.grid[(cell - 1) % kSide + 1][(cell - 1) / kSide + 1] = kind;
    }
}

void payFullBar(int kind) {
    GameStateRecord& g = GameState;
    app::playCue(app::SoundCue::Kreski);
    app::Pace flashIn(0.02);
    for (int i = 0; i < kFlashInSteps; ++i) {
        app::drawSheetTinted(kFlash, kFlashAt, al_map_rgba(i, i, i, 2 * i));
        flashIn.frame(i == kFlashInSteps - 1);
    }
    play::eraseKindBar(kind);

    g.awardPoints = kBarBonus;
    addAward();
    showScore();

    turnBonusElementsInto(kind);
    app::Pace flashOut(0.02);
    for (int i = 0; i < kFlashOutSteps; ++i) {
        al_draw_tinted_bitmap_region(app::Assets.background, al_map_rgba(i, i, i, i),
                                     kFlashBackdrop.x, kFlashBackdrop.y, kFlashBackdrop.w,
                                     kFlashBackdrop.h, kFlashAt.x, kFlashAt.y, 0);
        flashOut.frame(i == kFlashOutSteps - 1);
    }
    g.kindProgress[kind] = 0;
}

} // namespace

int linePoints(int lineKind, int lineSize, int level, int score) {
    // This game scores lines of six or more as lines of five.
    const int size = std::clamp(lineSize, 1, kLongestSizeClass);
    // A damaged stored game must not divide by zero.
    const int multiplier = std::max(level, 1);
    if (lineKind == ElementKind::Bonus) {
        return kBonusPoints[size] * multiplier;
    }
    if (lineKind == ElementKind::Star) {
        // A share of the score: 1/50, 3/100 or 1/20, divided by the level in that order.
        int share = 0;
        switch (size) {
        case 1:
            share = score / 50;
            break;
        case 2:
            // 3 * score / 100 without the product, which a score near the top would overflow.
            share = score / 100 * 3 + score % 100 * 3 / 100;
            break;
        default:
            share = score / 20;
            break;
        }
        return kStarPoints[size] * multiplier + share / multiplier;
    }
    return kOrdinaryPoints[size] * multiplier;
}

void scoreAward() {
    GameStateRecord& g = GameState;
    if (g.lineKind >= 1 && g.lineKind <= ElementKind::Bonus) {
        app::playCue(app::SoundCue::Snd1);
        g.awardPoints = linePoints(g.lineKind, g.lineSize, g.level, g.score);
    }
    if (g.lineKind == ElementKind::Bonus) {
        app::playCue(app::SoundCue::S6);
        app::sleepFor(0.1);
    }
    if (g.lineKind == ElementKind::Star) {
        showStarBanner();
    }
    addAward();
    showScore();
}

void showScore() {
    play::drawScore(GameState.score, GameState.record);
    app::sleepFor(0.001);
    app::showCanvas();
}

void advanceKindBar() {
    GameStateRecord& g = GameState;
    const int kind = g.lineKind;
    if (!isOrdinary(kind)) {
        return;
    }
    g.kindProgress[kind] += g.lineSize;
    if (g.kindProgress[kind] <= kBarFull) {
        drawKindBar(kind);
        app::showCanvas();
        app::sleepFor(0.001);
        return;
    }
    payFullBar(kind);
}

void drawKindBar(int kind) {
    if (isOrdinary(kind)) {
        play::drawKindBar(kind, GameState.kindProgress[kind]);
    }
}

} // namespace board
