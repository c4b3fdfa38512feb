#pragma once

// What the player sees and hears of the board's rules: the swap's slide, a line vanishing
// and the cells above it falling, a star dropping out, the score and the kind bars moving
// on, the bonus elements turning, and the cue of each step. Every animated frame counts
// for the clock of the timed game.
namespace play {

// Installs the board's hooks (board::BoardHooks), so that the rules show every step on
// the game screen; the game screen does it before its first frame.
void showBoardSteps();

} // namespace play
