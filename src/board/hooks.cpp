#include "board/hooks.hpp"

namespace board {

BoardHooksRecord BoardHooks;

} // namespace board
