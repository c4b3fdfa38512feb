#include "play/game_screen.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/letterbox.hpp"
#include "app/transitions.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "play/board_view.hpp"
#include "play/clock.hpp"
#include "play/panel.hpp"
#include "play/star_drop.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"

#include <algorithm>

namespace play {

using app::Assets;
using board::GameState;

namespace {
constexpr double kNewGameRevealRest = 0.02;
constexpr double kResumedRevealRest = 0.01;
constexpr int kPlanetLightPasses = 23; // passes i = 0 .. 22 - level

// Each pass adds the planet once more at a faint tint, so the planets of completed
// levels brighten together.
void lightCompletedPlanets(int level) {
    const int completed = std::clamp(level - 1, 0, board::kLevels);
    const int passes = kPlanetLightPasses - level;
    al_set_target_bitmap(Assets.screen);
    for (int k = 1; k <= completed; ++k) {
        for (int i = 0; i < passes; ++i) {
            drawPlanet(k, al_map_rgba(i, i, i, 0));
        }
    }
    app::setTargetCanvas();
    repairPlanetStrip();
}

} // namespace

void drawProgress(int stars, const int (&tray)[board::kSide + 1], void (*drawDropped)(int column)) {
    for (int k = 1; k <= 5; ++k) {
        drawKindBar(k, GameState.kindProgress[k]);
    }
    for (int s = 1; s <= std::clamp(stars, 0, board::kSide); ++s) {
        drawStarInRow(s);
    }
    for (int c = 1; c <= board::kSide; ++c) {
        if (tray[c] > 0) {
            drawDropped(c);
        }
    }
}

void drawGameBackdrop(int level) {
    al_set_target_bitmap(Assets.screen);
    composePanel({GameState.cellX[1], GameState.cellY[1]},
                 GameState.mode == board::GameMode::Timed);
    app::showScreenBuffer();
    lightCompletedPlanets(level);
}

void drawLevelAndClock(int level) {
    drawLevelNumber(level);
    if (GameState.mode == board::GameMode::Timed) {
        drawClockBar(GameState.clockBar);
    }
}

void drawGameScreen() {
    drawGameBackdrop(GameState.level);
    drawLevelAndClock(GameState.level);
    drawAllCells();
    drawProgress(GameState.stars, GameState.columnStar, drawTrayStarAsShown);
    drawScore(GameState.score, GameState.record);
}

void composeGameScreen() {
    forgetFallenStars();
    const bool resumed = GameState.resumedGame == 1;
    if (resumed) {
        saves::readStoredGame(saves::currentSaveName);
    }
    al_set_target_bitmap(Assets.screen);
    composePanel({GameState.cellX[1], GameState.cellY[1]},
                 GameState.mode == board::GameMode::Timed);
    app::setTargetCanvas();
    app::fadeIn();
    drawLevelAndClock(GameState.level);
    if (resumed) {
        lightCompletedPlanets(GameState.level);
        drawAllCellsFlipping(kResumedRevealRest);
        board::rebuildGridFromCells();
        drawProgress(GameState.stars, GameState.columnStar, drawTrayStar);
    } else {
        drawAllCellsFlipping(kNewGameRevealRest);
    }
}

} // namespace play
