#pragma once

// What the player sees and hears of the board's rules: the swap's slide, a line vanishing
// and the cells above it falling, an element replaced when no move is left, and the cue of
// each step; with the score and bars (score_display) and the star drop (star_drop). Every
// frame of a swap, a line or a star drop counts for the clock of the timed game.
namespace play {

// Installs the board's hooks (board::BoardHooks), so that the rules show every step on
// the game screen; the game screen does it before its first frame.
void showBoardSteps();

} // namespace play
