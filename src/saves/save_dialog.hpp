#pragma once

namespace saves {

// Asks in the bottom strip whether to store the game in progress. A resumed game is
// stored again under its password; a new game asks for one. Storing ends the game, and
// so does the answer no; the game loop goes back to the menu either way. A store that
// cannot be written keeps the game and the count and asks for another password.
void saveDialog();

} // namespace saves
