#pragma once

// One game, new or resumed, from the main menu until it ends or the player leaves it.
namespace play {

// Fades the menu out, sets up the board and the game screen, starts the music, and runs
// frames until the time runs out, the last planet is done, or the menu or save button is
// clicked. Each way out resets the game, fades out, and returns with the main menu
// composed and faded in again.
void gameLoop();

} // namespace play
