#pragma once

// The pause of the timed game: a plate with "P a u z a" over the middle of the board
// until a mouse button is pressed. The clock stands still meanwhile; sounds go on.
namespace play {

// Shows the plate, waits for a mouse button, repairs the board and returns without
// flipping. The press that ends the pause stays in mouseState, so the game loop's next
// poll reports it (a left press on a cell starts a drag at once).
void pauseScreen();

} // namespace play
