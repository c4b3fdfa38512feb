#include "board/game_state.hpp"

namespace board {

GameStateRecord GameState;

} // namespace board
