#include "board/scoring.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sound.hpp"
#include "board/board_view.hpp"
#include "board/game_state.hpp"

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
constexpr int kBarMaxWidth = kBarFull + 1;

// The star-line banner over the board.
constexpr app::Rect kStarBanner{0, 700, 142, 52};
constexpr app::Point kStarBannerAt{461, 302};
constexpr app::Point kStarBannerText{534, 326};
constexpr app::Rect kBoardArea{350, 80, 368, 368};

// The score display and the record line of the panel.
constexpr app::Rect kScoreArea{70, 176, 200, 30};
constexpr app::Point kScoreShadowAt{178, 174};
constexpr app::Point kScoreAt{177, 173};
constexpr app::Rect kRecordArea{80, 220, 180, 23};
constexpr app::Point kRecordAt{250, 229};

// Kind bars: bar k is a row of the sheet 9 pixels below the previous one.
constexpr app::Rect kFirstBar{116, 572, 0, 8};
constexpr app::Point kFirstBarAt{117, 270};
constexpr int kBarPitch = 9;
constexpr app::Rect kBarArea{116, 270, kBarMaxWidth + 2, 8};

// The flash beside the bars when one pays, and what it fades back to.
constexpr app::Rect kFlash{150, 725, 64, 62};
constexpr app::Rect kFlashBackdrop{472, 260, 64, 62};
constexpr app::Point kFlashAt{240, 260};
constexpr int kFlashInSteps = 34;
constexpr int kFlashOutSteps = 44;

constexpr ALLEGRO_COLOR kStarBannerColour = app::palette::rgb(200, 180, 60);
constexpr ALLEGRO_COLOR kScoreShadowColour = app::palette::rgb(60, 60, 10);
constexpr ALLEGRO_COLOR kScoreRecordColour = app::palette::rgb(250, 250, 255);
constexpr ALLEGRO_COLOR kScoreColour = app::palette::rgb(240, 230, 20);
constexpr ALLEGRO_COLOR kRecordColour = app::palette::rgb(166, 166, 44);
constexpr ALLEGRO_COLOR kRecordReachedColour = app::palette::rgb(99, 220, 66);

bool isOrdinary(int kind) {
    return kind >= 1 && kind <= 5;
}

void showStarBanner() {
    app::playCue(app::SoundCue::S7);
    app::drawSheet(kStarBanner, kStarBannerAt);
    al_draw_textf(app::Assets.font20, kStarBannerColour, kStarBannerText.x, kStarBannerText.y,
                  ALLEGRO_ALIGN_CENTRE, "%d", GameState.awardPoints);
    app::flipDisplay();
    al_rest(2.0);
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
        flashIn.frameThenRest(i == kFlashInSteps - 1);
    }
    // The whole width the bar can take, repaired in place from the panel.
    app::Rect bar = kBarArea;
    bar.y += kBarPitch * (kind - 1);
    app::restoreFromScreen(bar);

    g.awardPoints = kBarBonus;
    addAward();
    showScore();

    turnBonusElementsInto(kind);
    app::Pace flashOut(0.02);
    for (int i = 0; i < kFlashOutSteps; ++i) {
        al_draw_tinted_bitmap_region(app::Assets.background, al_map_rgba(i, i, i, i),
                                     kFlashBackdrop.x, kFlashBackdrop.y, kFlashBackdrop.w,
                                     kFlashBackdrop.h, kFlashAt.x, kFlashAt.y, 0);
        flashOut.frameThenRest(i == kFlashOutSteps - 1);
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
        al_rest(0.1);
    }
    if (g.lineKind == ElementKind::Star) {
        showStarBanner();
    }
    addAward();
    showScore();
}

void showScore() {
    const GameStateRecord& g = GameState;
    app::restoreFromScreen(kScoreArea);
    al_draw_textf(app::Assets.font34, kScoreShadowColour, kScoreShadowAt.x, kScoreShadowAt.y,
                  ALLEGRO_ALIGN_CENTRE, "%d ", g.score);
    const bool recordReached = g.score >= g.record;
    al_draw_textf(app::Assets.font34, recordReached ? kScoreRecordColour : kScoreColour, kScoreAt.x,
                  kScoreAt.y, ALLEGRO_ALIGN_CENTRE, "%d ", g.score);

    // The record line always shows the larger of the two, green once it is reached.
    app::restoreFromScreen(kRecordArea);
    if (recordReached) {
        al_draw_textf(app::Assets.fontBold16, kRecordReachedColour, kRecordAt.x, kRecordAt.y,
                      ALLEGRO_ALIGN_RIGHT, " %d", g.score);
    } else {
        al_draw_textf(app::Assets.fontBold16, kRecordColour, kRecordAt.x, kRecordAt.y,
                      ALLEGRO_ALIGN_RIGHT, " %d", g.record);
    }
    al_rest(0.001);
    app::flipDisplay();
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
        app::flipDisplay();
        al_rest(0.001);
        return;
    }
    payFullBar(kind);
}

void drawKindBar(int kind) {
    if (!isOrdinary(kind)) {
        return;
    }
    // Progress read from a stored game may be anything; the bar keeps to its frame.
    const int width = std::clamp(GameState.kindProgress[kind] + 1, 1, kBarMaxWidth);
    const int offset = kBarPitch * (kind - 1);
    app::drawSheet({kFirstBar.x, kFirstBar.y + offset, width, kFirstBar.h},
                   {kFirstBarAt.x, kFirstBarAt.y + offset});
}

} // namespace board
