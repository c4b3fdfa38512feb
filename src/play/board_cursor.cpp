#include "play/board_cursor.hpp"

#include "app/draw.hpp"
#include "app/palette.hpp"
#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "play/board_input.hpp"
#include "play/board_view.hpp"

#include <allegro5/allegro.h>
#include <allegro5/allegro_primitives.h>

namespace play {

using board::GameState;
using board::kPitch;
using board::kSide;

namespace {
// Inside the cell's own pixels, so repainting the cell erases it, and outside the gold
// pick's frame (3 pixels in), so both show on the same cell.
constexpr float kCursorInset = 1.5f;
constexpr float kCursorThickness = 1;
constexpr ALLEGRO_COLOR kCursorColour = app::palette::rgb(120, 220, 255);

// The neighbour an arrow leads to from `cell`, or 0 past the board's edge.
int neighbour(int cell, int key) {
    const int column = (cell - 1) % kSide + 1;
    const int row = (cell - 1) / kSide + 1;
    switch (key) {
    case ALLEGRO_KEY_LEFT:
        return column > 1 ? cell - 1 : 0;
    case ALLEGRO_KEY_RIGHT:
        return column < kSide ? cell + 1 : 0;
    case ALLEGRO_KEY_UP:
        return row > 1 ? cell - kSide : 0;
    case ALLEGRO_KEY_DOWN:
        return row < kSide ? cell + kSide : 0;
    default:
        return 0;
    }
}

bool isArrow(int key) {
    return key == ALLEGRO_KEY_LEFT || key == ALLEGRO_KEY_RIGHT || key == ALLEGRO_KEY_UP ||
           key == ALLEGRO_KEY_DOWN;
}
} // namespace

void BoardCursor::reset() {
    erase();
    cell_ = 1;
    shown_ = false;
}

bool BoardCursor::serveKey(int key) {
    const bool choice =
        key == ALLEGRO_KEY_SPACE || key == ALLEGRO_KEY_ENTER || key == ALLEGRO_KEY_PAD_ENTER;
    if (!choice && !isArrow(key)) {
        return false;
    }
    erase();
    shown_ = true;
    if (choice) {
        clickCell(cell_);
        return true;
    }
    const int picked = GameState.pickedCell;
    if (picked != 0) {
        // The same slide, lines, cue and slide back as a drag from the picked cell; at the
        // board's edge nothing happens and the pick stays.
        const int target = neighbour(picked, key);
        if (target != 0) {
            clickCell(target);
        }
        return true;
    }
    const int next = neighbour(cell_, key);
    if (next != 0) {
        cell_ = next;
    }
    return true;
}

void BoardCursor::hide() {
    erase();
    shown_ = false;
}

void BoardCursor::draw() const {
    if (!shown_) {
        return;
    }
    const float x = static_cast<float>(GameState.cellX[cell_]);
    const float y = static_cast<float>(GameState.cellY[cell_]);
    al_draw_rectangle(x + kCursorInset, y + kCursorInset, x + kPitch - kCursorInset,
                      y + kPitch - kCursorInset, kCursorColour, kCursorThickness);
}

void BoardCursor::erase() const {
    if (!shown_) {
        return;
    }
    app::restoreFromScreen({GameState.cellX[cell_], GameState.cellY[cell_], kPitch, kPitch});
    drawCell(cell_);
}

} // namespace play
