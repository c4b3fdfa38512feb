#pragma once

// The game never lets the board run out of moves for long: every frame the move search
// tries the swaps on a copy of the board and keeps the first that makes a line as the
// hint; when there is none, the reshuffle replaces one element and the search runs again.
namespace board {

// Sets GameState.hintX/hintY to the first swap that makes a line (the left cell of a
// horizontal pair, the upper of a vertical one), or GameState.noMoves to 1 and keeps the
// previous hint.
void findMove();

// The hint button: its hover picture and, when it is pressed, showHint.
void updateHintButton();

// The hinted cell blinks while the hint button is held and for two seconds from the
// press, unless the player presses a button or a key before (the H key or a click).
void showHint();

// Replaces one random element of rows 1..7 that is not a bonus element with a new kind
// and clears GameState.noMoves.
void replaceRandomElement();

} // namespace board
