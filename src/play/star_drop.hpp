#pragma once

#include "board/hooks.hpp"

// A star leaving the board: it falls out behind the board's lower frame under its award's
// banner, joins the star row, and its column slides down one cell to take a new element.
namespace play {

// Sets the hooks of the star drop's steps in `hooks`.
void showStarDrops(board::BoardHooksRecord& hooks);

} // namespace play
