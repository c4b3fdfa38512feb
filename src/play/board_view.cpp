#include "play/board_view.hpp"

#include "app/assets.hpp"
#include "app/draw.hpp"
#include "app/letterbox.hpp"
#include "app/pacing.hpp"
#include "app/palette.hpp"
#include "app/sheet.hpp"
#include "board/game_state.hpp"

namespace play {

using board::GameState;
using board::kCells;

void drawCell(int cell) {
    app::drawElement(GameState.cellKind[cell], GameState.cellX[cell], GameState.cellY[cell]);
}

void drawVanishFrame(int frame, int x, int y) {
    app::drawSheet(app::sheet::kVanishPieces[static_cast<std::size_t>(frame)], {x, y});
}

void changeElement(int cell, int kind, double rest) {
    const board::GameStateRecord& g = GameState;
    app::Pace pace(rest);
    for (int f = 0; f < kVanishFrames; ++f) {
        drawVanishFrame(f, g.cellX[cell], g.cellY[cell]);
        pace.frame(f == kVanishFrames - 1);
    }
    app::drawElement(kind, g.cellX[cell], g.cellY[cell]);
}

void drawAllCellsFlipping(double rest) {
    app::Pace pace(rest);
    for (int cell = 1; cell <= kCells; ++cell) {
        drawCell(cell);
        pace.frame(cell == kCells);
    }
}

void drawAllCells() {
    for (int cell = 1; cell <= kCells; ++cell) {
        drawCell(cell);
    }
}

void copyBoardToScratch() {
    al_set_target_bitmap(app::Assets.scratch);
    al_clear_to_color(app::palette::kTransparent);
    drawAllCells();
    app::setTargetCanvas();
}

} // namespace play
