#pragma once

#include "board/hooks.hpp"

// A star leaving the board: it falls out behind the board's lower frame under its award's
// banner, joins the star row, and its column slides down one cell to take a new element.
namespace play {

// Sets the hooks of the star drop's steps in `hooks`.
void showStarDrops(board::BoardHooksRecord& hooks);

// The star in the tray under `column` drawn again as the player saw it (for a picture
// composed again whole): one that fell during this level as its fall left it, behind the
// lower frame; one a stored game brought in where the tray shows it.
void drawTrayStarAsShown(int column);

// Forgets which stars fell: a game begun or resumed, a new level.
void forgetFallenStars();

} // namespace play
