#pragma once

#include "board/game_state.hpp"

// The play screen: backdrop, board frame, the panel on the left with its three buttons,
// the faint planet strip, the mode label and, in the timed game, the frame of the clock.
namespace play {

// Composes the play screen into Assets.screen, fades it in, then puts the moving parts
// on the display: the level number, the clock bar and the board (revealed cell by cell
// in a new game; with the lit planets, kind bars and stars of a resumed game). Leaves
// the canvas as the drawing target.
void composeGameScreen();

// The play screen of the game in progress composed again, at once and whole: the screen
// buffer, then the level, the clock, the board, the lit planets, kind bars, stars and the
// score on the canvas (after a change of the picture's scale). Leaves the canvas as the
// drawing target.
void recomposeGameScreen();

// The kind bars, `stars` in the star row and a star in the tray under each column that
// `tray` marks, drawn by `drawDropped`.
void drawProgress(int stars, const int (&tray)[board::kSide + 1], void (*drawDropped)(int column));

// The panel and the planets lit before `level` composed again, into the screen buffer
// and onto the canvas: the play screen before its level, clock, board, progress and score.
void recomposePanel(int level);

} // namespace play
