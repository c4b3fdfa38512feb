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

// The play screen of the game in progress, whole, from the game's state: the screen
// buffer, then the level, the clock, the board, the lit planets, kind bars, stars and the
// score on the canvas. The picture after a change of scale, beneath the time-out's plate
// and wherever the play screen stands composed again. Leaves the canvas as the drawing
// target.
void drawGameScreen();

// The kind bars, `stars` in the star row and a star in the tray under each column that
// `tray` marks, drawn by `drawDropped`.
void drawProgress(int stars, const int (&tray)[board::kSide + 1], void (*drawDropped)(int column));

// The play screen's fixed picture for `level`: the panel composed into the screen buffer
// and shown on the canvas, the planets of the levels before it lit: the play screen before
// its level, clock, board, progress and score.
void drawGameBackdrop(int level);

// The level's number in the panel and, in the timed game, the clock bar as it stands.
void drawLevelAndClock(int level);

} // namespace play
