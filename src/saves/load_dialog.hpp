#pragma once

namespace saves {

// Asks in a strip across the middle of the screen for the password of a stored game.
// Leaves GameState.resumedGame at 1, with currentSaveName naming the stored game, when
// the password names one; at 0 otherwise.
void loadDialog();

} // namespace saves
