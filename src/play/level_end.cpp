#include "play/level_end.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/keys.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/press_rules.hpp"
#include "app/settings.hpp"
#include "app/sheet.hpp"
#include "app/sound.hpp"
#include "app/texts.hpp"
#include "app/waiting.hpp"
#include "app/window.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "play/board_view.hpp"
#include "play/clock.hpp"
#include "play/game_screen.hpp"
#include "play/panel.hpp"
#include "play/planet_screens.hpp"
#include "play/star_drop.hpp"

#include <allegro5/allegro_font.h>
#include <allegro5/allegro_primitives.h>

#include <optional>

namespace play {

using board::GameState;
using board::kCells;

namespace {

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

constexpr ALLEGRO_COLOR kCongratulationsColour = app::palette::rgb(60, 160, 60);

// What the stars of the level completed showed, kept as the level's rules clear them.
struct StarsShown {
    int row = 0;
    int tray[board::kSide + 1] = {};
};

// How far the level's end has come: what its picture, composed whole, shows.
struct LevelEndShown {
    int completed = 0;
    StarsShown stars;
    int cellsGone = 0;   // cells dissolved to their last frame
    int nextFrame = -1;  // the vanish frame the next cell shows, -1 before its first
    int clockErased = 0; // rows of the clock's column taken from the top
    int revealed = 0;    // the planet's reveal steps drawn
    bool told = false;   // the message and the planet's text shown
    bool asked = false;  // "Dalej" shown
};
LevelEndShown shownEnd;

void dissolveBoard() {
    const board::GameStateRecord& g = GameState;
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
            shownEnd.clockErased = framesDrawn < kMaxClockStrip ? framesDrawn : kMaxClockStrip;
            eraseClockColumn(shownEnd.clockErased);
            drawVanishFrame(f, g.cellX[cell], g.cellY[cell]);
            shownEnd.nextFrame = f;
            pace.frame(cell == kCells && f == kVanishFrames - 1);
        }
        shownEnd.cellsGone = cell;
        shownEnd.nextFrame = -1;
    }
}

// One step of a planet's reveal: the corner under the panel dims and the planet lights.
void drawRevealStep(int level, int u) {
    app::drawArtTinted(app::Assets.background, al_map_rgba(u, u, u, 2 * u), kRevealBackdrop,
                       kRevealBackdropAt);
    // Into the screen buffer too, so the planet stays lit for the rest of the game.
    for (ALLEGRO_BITMAP* target : {app::Assets.canvas, app::Assets.screen}) {
        al_set_target_bitmap(target);
        drawPlanet(level, al_map_rgba(u, u, u, 0));
    }
    app::setTargetCanvas();
}

void revealPlanet(int level) {
    app::Pace pace(0.1);
    for (int u = 0; u <= 22 - level; ++u) {
        drawRevealStep(level, u);
        shownEnd.revealed = u + 1;
        pace.frame(u == 22 - level);
    }
}

void drawCongratulations(int level) {
    if (level < board::kLevels) {
        app::restoreFromScreen(kMessageArea);
    }
    app::drawText(app::Assets.font34, kCongratulationsColour, kMessageX, kCongratulationsY,
                  ALLEGRO_ALIGN_CENTRE, _(app::kCongratulations));
    app::drawTextf(app::Assets.font24, app::palette::kMoss, kMessageX, kCaptionY,
                   ALLEGRO_ALIGN_CENTRE, "%s", _(app::levelCaptions[level]));
    if (level < board::kLevels) {
        app::drawText(app::Assets.font24, app::palette::kSilver, kMessageX, kNextLevelY,
                      ALLEGRO_ALIGN_CENTRE, _(app::kNextLevel));
        app::drawText(app::Assets.font24, app::palette::kSilver, kMessageX, kPointsAndBonusesY,
                      ALLEGRO_ALIGN_CENTRE, _(app::kPointsAndBonuses));
        app::drawTextf(app::Assets.font24, app::palette::kSilver, kMessageX, kMultiplierY,
                       ALLEGRO_ALIGN_CENTRE, _(app::kMultiplierFormat), level + 1);
    }
}

void showCongratulations(int level) {
    drawCongratulations(level);
    app::showCanvas();
    app::sleepFor(1.0);
}

void drawInfoFrameAndContinue() {
    al_draw_rectangle(kInfoFrame.x, kInfoFrame.y, kInfoFrame.x + kInfoFrame.w,
                      kInfoFrame.y + kInfoFrame.h, app::palette::kMoss, 0);
    app::drawSheet(kContinueButton, kContinueButtonAt);
}

// "Dalej", lit as the pointer resting on it leaves it, or dark.
void drawContinue(bool lit) {
    app::drawSheet(kContinueButton, kContinueButtonAt);
    if (lit) {
        app::laySettled(app::palette::kButtonGlow.a, [] {
            app::drawSheetTinted(kContinueHighlight, kContinueHighlightAt,
                                 app::palette::kButtonGlow);
        });
    }
}

// The level's end as far as it has come, composed whole: the panel and the planets lit
// before, the level just played, the cells dissolved so far and the one dissolving, the
// kind bars and the stars it ended with, the score, the reveal's steps drawn, the message
// and the planet's description once told, and "Dalej" once asked (dark; a pointer on it
// lights it with the wait's next pass).
void drawLevelEnd() {
    const board::GameStateRecord& g = GameState;
    const LevelEndShown& end = shownEnd;
    drawGameBackdrop(end.completed);
    drawLevelAndClock(end.completed);
    if (end.clockErased > 0) {
        eraseClockColumn(end.clockErased);
    }
    for (int cell = 1; cell <= kCells; ++cell) {
        const int frames = cell <= end.cellsGone       ? kVanishFrames
                           : cell == end.cellsGone + 1 ? end.nextFrame + 1
                                                       : 0;
        if (frames < kVanishFrames) {
            drawCell(cell);
        }
        if (frames > 0) {
            drawVanishFrame(frames - 1, g.cellX[cell], g.cellY[cell]);
        }
    }
    drawProgress(end.stars.row, end.stars.tray, drawTrayStarAsShown);
    drawScore(g.score, g.record);
    if (end.completed >= 1 && end.completed <= board::kLevels) {
        for (int u = 0; u < end.revealed; ++u) {
            drawRevealStep(end.completed, u);
        }
        if (end.told) {
            drawCongratulations(end.completed);
            planetInfo(end.completed);
        }
    }
    if (end.asked) {
        drawInfoFrameAndContinue();
    }
}

// Only a press made while "Dalej" shows answers it: keys held or pressed while the level
// ended never do. The window's close ends the wait too, so the game can ask at once.
void waitForContinue() {
    const app::InputStateRecord& in = app::InputState;
    app::beginWait();
    app::WaitingScreen waiting;
    for (;;) {
        app::pollInput();
        if (app::closeWaiting()) {
            return;
        }
        const bool hovered =
            in.x >= kContinueX0 && in.x <= kContinueX1 && in.y > kContinueY0 && in.y < kContinueY1;
        drawContinue(hovered);
        // "Dalej" takes Enter or Space as well as a click.
        if ((hovered && in.buttons == app::kLeftButton) || app::isChoiceKey(app::takeKey(false))) {
            return;
        }
        waiting.present();
        waiting.rest();
    }
}

void startNextLevel() {
    board::GameStateRecord& g = GameState;
    forgetFallenStars();
    eraseStarRow();
    app::restoreFromScreen(kMessageArea);
    eraseLevelNumber();
    drawLevelNumber(g.level);
    if (g.mode == board::GameMode::Timed) {
        drawClockRemaining(0);
    }
    app::showCanvas();

    board::fillBoardRandomly();
    // On a new level the kind bars are only redrawn, never advanced: a line scored after
    // the eighth star has already had its bar step.
    for (int k = 1; k <= 5; ++k) {
        drawKindBar(k, g.kindProgress[k]);
    }
    drawAllCellsFlipping(0.01);
    app::startMusic();
}

} // namespace

void completeLevel() {
    // Until "Dalej" shows, the level's end is one animation: presses then are dropped.
    std::optional<app::During> ending(std::in_place, app::Moment::Animating);
    board::GameStateRecord& g = GameState;
    app::stopAllCues();
    shownEnd = LevelEndShown{};
    shownEnd.completed = g.level;
    shownEnd.stars.row = g.stars;
    for (int c = 1; c <= board::kSide; ++c) {
        shownEnd.stars.tray[c] = g.columnStar[c];
        g.columnStar[c] = 0;
    }
    g.stars = 0;
    {
        // A change of scale at any moment composes the level's end as far as it has come.
        app::OnRescale recompose(drawLevelEnd);
        app::playCue(app::SoundCue::KoniecEt);

        dissolveBoard();
        app::stopMusic();
        app::playCue(app::SoundCue::Planety);

        // A level outside 1..8 (a damaged stored game) has no planet, caption or text.
        const int completed = g.level;
        if (completed >= 1 && completed <= board::kLevels) {
            revealPlanet(completed);
            shownEnd.told = true;
            showCongratulations(completed);
            planetInfo(completed);
        }
        drawInfoFrameAndContinue();
        shownEnd.asked = true;
        app::showCanvas();
        ending.reset();

        g.level += 1;
        waitForContinue();
        app::Pace fade(0.01);
        for (int i = 0; i < kFadeSteps; ++i) {
            app::copyRegionTinted(app::Assets.screen, al_map_rgba(i, i, i, i), kFadedCorner,
                                  {kFadedCorner.x, kFadedCorner.y});
            fade.frame(i == kFadeSteps - 1);
        }
    }
    if (g.level > board::kLevels) {
        return; // Neptune was the last planet: the game ends
    }
    startNextLevel();
}

} // namespace play
