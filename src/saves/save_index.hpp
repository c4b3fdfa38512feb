#pragma once

#include <string>

namespace saves {

// How many games are stored, as kept in "zg.txt".
struct SaveIndexRecord {
    int count = 0;
    // "zg.txt" was there but could not be read (a link, a directory, no permission): the
    // count it holds is unknown, so it is never replaced in this run and every store that
    // needs the count fails.
    bool refused = false;
};
extern SaveIndexRecord SaveIndex;

// The access password of the game in progress, which is also the name of its
// stored-game file; empty for a game that was never stored.
extern std::string currentSaveName;

// Extracts the count from "zg.txt" at start-up; a missing or unreadable file, or a value
// that is not a count of files (negative, or too large to hold), leaves it as it was. An
// unreadable file sets SaveIndex.refused.
void readSaveIndex();

// Replaces "zg.txt" with the count (decimal, no line end); false when it failed or the
// file was refused.
bool writeSaveIndex();

// After a resumed game's result is recorded: lowers the count and stores it, then
// deletes the stored file; when the count cannot be stored, the file and the count stay
// as they were. A name no password can have is never deleted.
void discardStoredGame();

// The save state of a game started afresh from the menu: no stored file, not resumed.
void beginNewGame();

} // namespace saves
