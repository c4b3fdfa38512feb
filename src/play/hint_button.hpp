#pragma once

// The hint button of the game screen.
namespace play {

// Its hover picture and, when it is pressed, showHint.
void updateHintButton();

// The hinted cell blinks while the hint button is held and for two seconds from the
// press, unless the player presses a button or a key before (the H key or a click).
void showHint();

} // namespace play
