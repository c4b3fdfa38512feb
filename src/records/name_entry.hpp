#pragma once

namespace records {

// Asks for the player's name in the strip at the bottom of the screen when
// GameState.nameEntryDue is set, places the result in the list of the mode played,
// stores the list and shows it with the new row highlighted. Returns at once when no
// entry is due. `resultStored`, when given, runs as soon as the list holds the result
// (also when the window is closed during the entry), never when it could not be stored:
// the game passes the discarding of the stored game the finished game was resumed from,
// so that a full disk or a crash in between loses neither.
void nameEntry(void (*resultStored)() = nullptr);

} // namespace records
