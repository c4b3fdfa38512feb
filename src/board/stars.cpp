#include "board/stars.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/settings.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "app/texts.hpp"
#include "app/waiting.hpp"
#include "board/board_setup.hpp"
#include "board/board_view.hpp"
#include "board/game_state.hpp"
#include "board/scoring.hpp"
#include "play/clock.hpp"
#include "play/panel.hpp"
#include "play/planet_screens.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <cstdlib>

namespace board {

namespace {

constexpr int kStarPointsPerLevel = 1000;

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

// Level completion.
constexpr int kMaxClockStrip = 704;
constexpr app::Rect kRevealBackdrop{240, 378, 316, 210};
constexpr app::Point kRevealBackdropAt{10, 378};
constexpr app::Rect kMessageArea{330, 80, 420, 460};
constexpr int kMessageX = 532;
constexpr int kCongratulationsY = 145;
constexpr int kCaptionY = 200;
constexpr int kNextLevelY = 239;
constexpr int kPointsAndBonusesY = 269;
constexpr int kMultiplierY = 299;
constexpr app::Rect kInfoFrame{10, 378, 316, 210}; // outlined from (10, 378) to (326, 588)
constexpr app::Rect kContinueButton = app::sheet::kContinueButton;
constexpr app::Point kContinueButtonAt{476, 384};
constexpr app::Rect kContinueHighlight = app::sheet::kContinueButtonFace;
constexpr app::Point kContinueHighlightAt{481, 389};
constexpr int kContinueX0 = 481, kContinueX1 = 581, kContinueY0 = 386, kContinueY1 = 410;
constexpr app::Rect kFadedCorner{0, 370, 330, 220};
constexpr int kFadeSteps = 44;

// Every text of the level completion, as the player reads it.
constexpr const char* kPointsAndBonuses = "to punkty i bonusy";
constexpr const char* kMultiplierFormat = "x %d";

constexpr ALLEGRO_COLOR kDropBannerColour = app::palette::rgb(180, 180, 110);
constexpr ALLEGRO_COLOR kCongratulationsColour = app::palette::rgb(60, 160, 60);

int newTopKind() {
    int k = std::rand() % 4 + 1;
    if (GameState.level > 2) {
        k = std::rand() % 5 + 1;
    }
    if (GameState.level > 5) {
        k = std::rand() % 6 + 1; // a new star element can enter from level 6 on
    }
    return k;
}

void dropStar(int column) {
    GameStateRecord& g = GameState;
    const int x = kBoardX + kPitch * (column - 1);
    app::restoreFromScreen({x, kBottomRowY, kPitch, kPitch});
    g.stars += 1;
    if (g.stars == kStarsPerLevel) {
        app::stopAllCues();
    }
    g.awardPoints = kStarPointsPerLevel * g.level;
    g.lineKind = 0;
    app::playCue(app::SoundCue::Gw1);

    // The star falls out of the board behind its lower frame.
    app::Pace drop(0.03);
    for (int t = 1; t <= kDropFrames; ++t) {
        if (t == kDropBannerFrame) {
            app::drawSheet(kDropBanner, kDropBannerAt);
            al_draw_textf(app::Assets.font20, kDropBannerColour, kDropBannerText.x,
                          kDropBannerText.y, ALLEGRO_ALIGN_CENTRE, "%d", g.awardPoints);
        }
        app::restoreFromScreen({x, kBottomRowY, kPitch, kDropRepaintHeight});
        app::drawElement(ElementKind::Star, x, kBottomRowY - 1 + t);
        app::drawSheet(kLowerFrameStrip, kLowerFrameStripAt);
        play::clockTick();
        drop.frame(t == kDropFrames);
    }
    scoreAward();
    app::restoreFromScreen({kDropBannerAt.x, kDropBannerAt.y, kDropBanner.w, kDropBanner.h});
    // The board is redrawn without the star that just left it: its cell stays empty
    // until the column slides down.
    const int emptied = cellNumber(column, kSide);
    app::Pace redraw(0.0);
    for (int cell = 1; cell <= kCells; ++cell) {
        if (cell == emptied) {
            app::restoreFromScreen({x, kBottomRowY, kPitch, kPitch});
        } else {
            drawCell(cell);
        }
        redraw.frame(cell == kCells);
    }

    // The column above slides down into the empty bottom cell.
    g.columnStar[column] = 1;
    copyBoardToScratch();
    const int upperRows = kPitch * (kSide - 1);
    app::Pace slide(0.002);
    for (int d = 0; d < kSlideFrames; ++d) {
        app::restoreFromScreen({x, kBoardY, kPitch, kColumnHeight});
        al_draw_bitmap_region(app::Assets.scratch, x, kBoardY, kPitch, upperRows, x, kBoardY + d,
                              0);
        play::clockTick();
        slide.frame(d == kSlideFrames - 1);
    }
    play::drawStarInRow(g.stars);

    const int kind = newTopKind();
    app::drawElement(kind, x, kBoardY);
    app::showCanvas();
    app::sleepFor(1.0);
    for (int r = kSide - 1; r >= 1; --r) {
        g.grid[column][r + 1] = g.grid[column][r];
    }
    g.grid[column][1] = kind;
    g.boardChanged = 1;
    rebuildCellsFromGrid();
}

void dissolveBoard() {
    const GameStateRecord& g = GameState;
    float volume = app::Settings.musicVolume;
    int framesDrawn = 0;
    app::Pace pace(0.002);
    for (int cell = 1; cell <= kCells; ++cell) {
        for (int f = 0; f < kVanishFrames; ++f) {
            volume -= 0.001f;
            if (volume > 0) {
                app::setMusicGain(volume);
            }
            // The clock bar is erased from the top as the board goes.
            ++framesDrawn;
            play::eraseClockColumn(framesDrawn < kMaxClockStrip ? framesDrawn : kMaxClockStrip);
            drawVanishFrame(f, g.cellX[cell], g.cellY[cell]);
            pace.frame(cell == kCells && f == kVanishFrames - 1);
        }
    }
}

void revealPlanet(int level) {
    app::Pace pace(0.1);
    for (int u = 0; u <= 22 - level; ++u) {
        al_draw_tinted_bitmap_region(app::Assets.background, al_map_rgba(u, u, u, 2 * u),
                                     kRevealBackdrop.x, kRevealBackdrop.y, kRevealBackdrop.w,
                                     kRevealBackdrop.h, kRevealBackdropAt.x, kRevealBackdropAt.y,
                                     0);
        // Into the screen buffer too, so the planet stays lit for the rest of the game.
        for (ALLEGRO_BITMAP* target : {app::Assets.canvas, app::Assets.screen}) {
            al_set_target_bitmap(target);
            play::drawPlanet(level, al_map_rgba(u, u, u, 0));
        }
        app::setTargetCanvas();
        pace.frame(u == 22 - level);
    }
}

void showCongratulations(int level) {
    if (level < kLevels) {
        app::restoreFromScreen(kMessageArea);
    }
    al_draw_text(app::Assets.font34, kCongratulationsColour, kMessageX, kCongratulationsY,
                 ALLEGRO_ALIGN_CENTRE, app::kCongratulations);
    al_draw_textf(app::Assets.font24, app::palette::kMoss, kMessageX, kCaptionY,
                  ALLEGRO_ALIGN_CENTRE, "%s", app::levelCaptions[level]);
    if (level < kLevels) {
        al_draw_text(app::Assets.font24, app::palette::kSilver, kMessageX, kNextLevelY,
                     ALLEGRO_ALIGN_CENTRE, app::kNextLevel);
        al_draw_text(app::Assets.font24, app::palette::kSilver, kMessageX, kPointsAndBonusesY,
                     ALLEGRO_ALIGN_CENTRE, kPointsAndBonuses);
        al_draw_textf(app::Assets.font24, app::palette::kSilver, kMessageX, kMultiplierY,
                      ALLEGRO_ALIGN_CENTRE, kMultiplierFormat, level + 1);
    }
    app::showCanvas();
    app::sleepFor(1.0);
}

void waitForContinue() {
    const app::InputStateRecord& in = app::InputState;
    app::WaitingScreen waiting;
    for (;;) {
        app::pollInput();
        const bool hovered =
            in.x >= kContinueX0 && in.x <= kContinueX1 && in.y > kContinueY0 && in.y < kContinueY1;
        if (hovered) {
            app::drawSheetTinted(kContinueHighlight, kContinueHighlightAt,
                                 app::palette::kButtonGlow);
        } else {
            app::drawSheet(kContinueButton, kContinueButtonAt);
        }
        // "Dalej" takes Enter or Space as well as a click.
        if ((hovered && in.buttons == app::kLeftButton) || app::isChoiceKey(app::takeKey(false))) {
            return;
        }
        waiting.present();
        waiting.rest();
    }
}

void startNextLevel() {
    GameStateRecord& g = GameState;
    play::eraseStarRow();
    app::restoreFromScreen(kMessageArea);
    play::eraseLevelNumber();
    play::drawLevelNumber(g.level);
    if (g.mode == GameMode::Timed) {
        play::drawClockRemaining(0);
    }
    app::showCanvas();

    fillBoardRandomly();
    // On a new level the kind bars are only redrawn, never advanced: a line scored after
    // the eighth star has already had its bar step.
    for (int k = 1; k <= 5; ++k) {
        drawKindBar(k);
    }
    drawAllCellsFlipping(0.01);
    app::startMusic();
}

} // namespace

void checkStarDrops() {
    GameStateRecord& g = GameState;
    for (int column = 1; column <= kSide; ++column) {
        if (g.grid[column][kSide] == ElementKind::Star && g.columnStar[column] == 0 &&
            g.boardChanged == 1) {
            dropStar(column);
        }
    }
}

void completeLevel() {
    GameStateRecord& g = GameState;
    app::stopAllCues();
    for (int c = 1; c <= kSide; ++c) {
        g.columnStar[c] = 0;
    }
    g.stars = 0;
    app::playCue(app::SoundCue::KoniecEt);

    dissolveBoard();
    app::stopMusic();
    app::playCue(app::SoundCue::Planety);

    // A level outside 1..8 (a damaged stored game) has no planet, caption or text.
    const int completed = g.level;
    if (completed >= 1 && completed <= kLevels) {
        revealPlanet(completed);
        showCongratulations(completed);
        play::planetInfo(completed);
    }
    al_draw_rectangle(kInfoFrame.x, kInfoFrame.y, kInfoFrame.x + kInfoFrame.w,
                      kInfoFrame.y + kInfoFrame.h, app::palette::kMoss, 0);
    app::drawSheet(kContinueButton, kContinueButtonAt);
    app::showCanvas();

    g.level += 1;
    waitForContinue();
    app::Pace fade(0.01);
    for (int i = 0; i < kFadeSteps; ++i) {
        al_draw_tinted_bitmap_region(app::Assets.screen, al_map_rgba(i, i, i, i), kFadedCorner.x,
                                     kFadedCorner.y, kFadedCorner.w, kFadedCorner.h, kFadedCorner.x,
                                     kFadedCorner.y, 0);
        fade.frame(i == kFadeSteps - 1);
    }
    if (g.level > kLevels) {
        return; // Neptune was the last planet: the game ends
    }
    startNextLevel();
}

} // namespace board
