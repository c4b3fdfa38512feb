#pragma once

namespace records {

// Asks for the player's name in the strip at the bottom of the screen when
// GameState.nameEntryDue is set, places the result in the list of the mode played,
// stores the list and shows it with the new row highlighted. Returns at once when no
// entry is due.
void nameEntry();

} // namespace records
