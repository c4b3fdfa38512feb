#pragma once

// The pause of the timed game: a plate with "P a u z a" over the middle of the board
// until a mouse button is pressed. The clock stands still meanwhile; sounds go on.
namespace play {

// Shows the plate, waits for a mouse button or a key that ends it, pressed while the
// plate shows, repairs the board and returns without flipping. A button that ends the
// pause stays for the game loop's next poll (a left press on a cell starts a drag at
// once). The window's close ends the pause too, for the game to ask. A focus lost before
// or during the pause pauses nothing more.
void pauseScreen();

} // namespace play
