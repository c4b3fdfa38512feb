#pragma once

// The hint button of the game screen.
namespace play {

// Its hover picture and, while it is held, the hinted cell blinking.
void updateHintButton();

} // namespace play
