#pragma once

namespace saves {

// How the dialog ended: the game stored, the player declined (nothing stored), or the
// game goes on (Escape at the first password, before anything said it would end it).
enum class SaveEnd { Stored, Declined, GameGoesOn };

// Whether Escape answers the question "no": when the window's close asked it, Escape is
// the way out the player expects.
enum class EscapeInQuestion { Ignored, Declines };

// Asks in the bottom strip whether to store the game in progress. A resumed game is
// stored again under its password; a new game asks for one. Storing ends the game, and
// so does the answer no; Escape at the first password gives the game back, at a later
// one (whose prompt says so) it ends the game unstored. A store that cannot be written
// keeps the game and the count and asks for another password.
SaveEnd saveDialog(EscapeInQuestion escape);

} // namespace saves
