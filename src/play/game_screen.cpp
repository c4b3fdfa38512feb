#include "play/game_screen.hpp"

#include "app/assets.hpp"
#include "app/debug.hpp"
#include "app/draw.hpp"
#include "app/input.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/transitions.hpp"
#include "board/board_setup.hpp"
#include "board/board_view.hpp"
#include "board/game_state.hpp"
#include "play/clock.hpp"
#include "play/texts.hpp"
#include "saves/save_index.hpp"
#include "saves/stored_game.hpp"

#include <allegro5/allegro_font.h>

#include <algorithm>

namespace play {

using app::Assets;
using board::GameState;

namespace {
// Pieces of the composed screen, in drawing order. Sheet pieces are given as their
// rectangle on Assets.sheet.
constexpr app::Point kBackdropAt{-232, 0};
constexpr app::Rect kBoardFrame{0, 100, 402, 460};
constexpr int kBoardFrameMargin = 17; // the frame starts this far above and left of cell 1
constexpr app::Rect kPanelTop{404, 154, 244, 92};
constexpr app::Point kPanelTopAt{48, 70};
constexpr app::Rect kPanelStud{438, 0, 18, 18};
constexpr app::Point kPanelStudLeftAt{66, 106};
constexpr app::Point kPanelStudRightAt{256, 106};
constexpr app::Rect kDarkBand{295, 174, 210, 36}; // of the backdrop
constexpr app::Point kDarkBandAt{65, 174};
constexpr app::Rect kScorePlate{404, 248, 220, 40};
constexpr app::Point kScorePlateAt{60, 172};
constexpr app::Rect kRecordPlate{250, 680, 184, 25};
constexpr app::Point kRecordPlateAt{80, 224};
constexpr app::Point kRecordLabelAt{90, 229};
constexpr app::Rect kKindBarsPlate{0, 565, 116, 58};
constexpr app::Point kKindBarsPlateAt{110, 263};
constexpr app::Rect kStarPlate{0, 625, 216, 38};
constexpr app::Point kStarPlateAt{64, 334};
constexpr app::Rect kHintButton{404, 288, 140, 140};
constexpr app::Point kHintButtonAt{105, 380};
constexpr app::Rect kMenuButton{404, 432, 114, 30};
constexpr app::Point kMenuButtonAt{35, 550};
constexpr app::Rect kSaveButton{404, 464, 114, 30};
constexpr app::Point kSaveButtonAt{198, 550};
constexpr app::Point kPlanetStripAt{-20, 0};
constexpr app::Rect kClockFrame{766, 430, 26, 330};
constexpr app::Point kClockFrameAt{754, 143};
constexpr app::Rect kModeLabel{480, 600, 135, 35}; // the timed game's label lies 40 lower
constexpr int kModeLabelPitch = 40;
constexpr app::Point kModeLabelAt{465, 550};

// Moving parts drawn on the display.
constexpr app::Rect kLevelDigit{541, 50, 20, 30}; // level 1; each next level 20 further right
constexpr app::Point kLevelDigitAt{163, 112};
constexpr app::Rect kKindBar{116, 572, 1, 8}; // width is the bar's progress + 1
constexpr app::Point kKindBarAt{117, 270};
constexpr int kKindBarPitch = 9;
constexpr int kStarAtX = 37; // star s at 37 + 25 s
constexpr int kStarPitch = 25;
constexpr int kStarAtY = 329;
constexpr int kColumnStarBelowLastRow = 58;

// Lighting the planets of completed levels in a resumed game.
constexpr int kPlanetPitch = 101;
constexpr int kPlanetW = 99;
constexpr int kPlanetH = 83;
constexpr int kPlanetLightPasses = 23; // passes i = 0 .. 22 - level
constexpr app::Rect kTopStrip{0, 0, 800, 100};

constexpr double kNewGameRevealRest = 0.02;
constexpr double kResumedRevealRest = 0.01;

// The read-out of diagnosticOverlay.
constexpr app::Rect kOverlayClear{232, 0, 70, 80}; // of the backdrop, copied to (0, 0)
constexpr int kOverlayLinePitch = 15;

constexpr ALLEGRO_COLOR kRecordLabelColour = app::palette::rgb(230, 184, 20);
constexpr ALLEGRO_COLOR kOverlayColour = app::palette::rgb(15, 160, 15);

constexpr int kMaxLevel = 8;
constexpr int kMaxProgress = 100;

void drawPiece(app::Rect piece, app::Point at) {
    app::drawSheet(piece, at);
}

void composePanel() {
    al_set_target_bitmap(Assets.screen);
    al_draw_bitmap(Assets.background, kBackdropAt.x, kBackdropAt.y, 0);
    drawPiece(kBoardFrame,
              {GameState.cellX[1] - kBoardFrameMargin, GameState.cellY[1] - kBoardFrameMargin});
    drawPiece(kPanelTop, kPanelTopAt);
    drawPiece(kPanelStud, kPanelStudLeftAt);
    drawPiece(kPanelStud, kPanelStudRightAt);
    al_draw_tinted_bitmap_region(Assets.background, al_map_rgba(80, 80, 80, 160), kDarkBand.x,
                                 kDarkBand.y, kDarkBand.w, kDarkBand.h, kDarkBandAt.x,
                                 kDarkBandAt.y, 0);
    drawPiece(kScorePlate, kScorePlateAt);
    drawPiece(kRecordPlate, kRecordPlateAt);
    al_draw_text(Assets.fontBold16, kRecordLabelColour, kRecordLabelAt.x, kRecordLabelAt.y, 0,
                 kRecordLabel);
    drawPiece(kKindBarsPlate, kKindBarsPlateAt);
    drawPiece(kStarPlate, kStarPlateAt);
    drawPiece(kHintButton, kHintButtonAt);
    drawPiece(kMenuButton, kMenuButtonAt);
    drawPiece(kSaveButton, kSaveButtonAt);
    // Alpha 0 adds the tinted planets onto the backdrop instead of covering it.
    al_draw_tinted_bitmap(Assets.planets, al_map_rgba(25, 25, 25, 0), kPlanetStripAt.x,
                          kPlanetStripAt.y, 0);
    if (GameState.mode == board::GameMode::Timed) {
        drawPiece(kClockFrame, kClockFrameAt);
    }
    const int modeRow = GameState.mode == board::GameMode::Timed ? 1 : 0;
    drawPiece({kModeLabel.x, kModeLabel.y + kModeLabelPitch * modeRow, kModeLabel.w, kModeLabel.h},
              kModeLabelAt);
}

// Each pass adds the planet once more at a faint tint, so the planets of completed
// levels brighten together.
void lightCompletedPlanets() {
    const int completed = std::clamp(GameState.level - 1, 0, kMaxLevel);
    const int passes = kPlanetLightPasses - GameState.level;
    al_set_target_bitmap(Assets.screen);
    for (int k = 1; k <= completed; ++k) {
        const int sourceX = kPlanetPitch * (k - 1);
        for (int i = 0; i < passes; ++i) {
            al_draw_tinted_bitmap_region(Assets.planets, al_map_rgba(i, i, i, 0), sourceX, 0,
                                         kPlanetW, kPlanetH, sourceX + kPlanetStripAt.x, 0, 0);
        }
    }
    app::setTargetCanvas();
    app::restoreFromScreen(kTopStrip);
}

void drawResumedProgress() {
    for (int k = 1; k <= 5; ++k) {
        const int width = std::clamp(GameState.kindProgress[k], 0, kMaxProgress) + 1;
        drawPiece({kKindBar.x, kKindBar.y + kKindBarPitch * (k - 1), width, kKindBar.h},
                  {kKindBarAt.x, kKindBarAt.y + kKindBarPitch * (k - 1)});
    }
    const int stars = std::clamp(GameState.stars, 0, board::kSide);
    for (int s = 1; s <= stars; ++s) {
        app::drawElement(board::ElementKind::StarIcon, kStarAtX + kStarPitch * s, kStarAtY);
    }
    for (int c = 1; c <= board::kSide; ++c) {
        if (GameState.columnStar[c] > 0) {
            app::drawElement(board::ElementKind::Star, GameState.cellX[c],
                             GameState.cellY[board::kCells] + kColumnStarBelowLastRow);
        }
    }
}
} // namespace

void drawLevelNumber() {
    const int level = std::clamp(GameState.level, 1, kMaxLevel);
    drawPiece(
        {kLevelDigit.x + kLevelDigit.w * (level - 1), kLevelDigit.y, kLevelDigit.w, kLevelDigit.h},
        kLevelDigitAt);
}

void composeGameScreen() {
    const bool resumed = GameState.resumedGame == 1;
    if (resumed) {
        saves::readStoredGame(saves::currentSaveName);
    }
    composePanel();
    app::setTargetCanvas();
    app::fadeIn();
    drawLevelNumber();
    if (GameState.mode == board::GameMode::Timed) {
        drawClockBar(GameState.clockBar);
    }
    if (resumed) {
        lightCompletedPlanets();
        board::drawAllCellsFlipping(kResumedRevealRest);
        board::rebuildGridFromCells();
        drawResumedProgress();
    } else {
        board::drawAllCellsFlipping(kNewGameRevealRest);
    }
}

void drawDiagnosticOverlay() {
    al_draw_bitmap_region(Assets.background, kOverlayClear.x, kOverlayClear.y, kOverlayClear.w,
                          kOverlayClear.h, 0, 0, 0);
    if (app::debugReadout()) {
        const int lines[] = {app::InputState.hover, app::InputState.x, app::InputState.y,
                             GameState.selectedCell, GameState.lineKind};
        for (int i = 0; i < static_cast<int>(kOverlayFormats.size()); ++i) {
            al_draw_textf(Assets.fontBold16, kOverlayColour, 0, kOverlayLinePitch * i, 0,
                          kOverlayFormats[i], lines[i]);
        }
    }
}

} // namespace play
