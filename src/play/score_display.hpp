#pragma once

#include "board/hooks.hpp"

// The score and the kind bars as the rules move them on: the score window, a bonus line's
// pause and a star line's banner, a bar's step, and a full bar's flash with its bonus
// elements turning.
namespace play {

// Sets the hooks of the scoring steps in `hooks`.
void showScoring(board::BoardHooksRecord& hooks);

} // namespace play
