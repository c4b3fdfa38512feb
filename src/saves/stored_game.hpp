#pragma once

#include <string>

// One file per stored game, named by its access password: the board, the column stars,
// the kind bars, level, stars, score, record, clock, both volumes and the mode.
namespace saves {

// True when `name` could have been typed in the save dialog: 1 to 17 bytes of the
// characters "0" to "z" and the twelve Polish letters. Only such a name can be a
// stored game; it never holds a "/", a "." or white space.
bool isPasswordName(const std::string& name);

// The stored-game text of the current GameState and Options: eight board rows, an
// empty line, the column stars, the kind bars and the last line of eight values.
std::string storedGameText();

// Replaces the file `name` with the game in progress; false when it could not be
// written (the old file, if any, is then untouched).
bool writeStoredGame(const std::string& name);

// True when `name` is a password naming a regular file that can be opened for
// reading and writing.
bool storedGameExists(const std::string& name);

// Reads the stored game `name` over the new game's state. Reading stops at the first
// value that does not parse or lies outside what the game can show (a score beyond
// board::kMaxScore, a star count that disagrees with the column stars); that value and
// every later one keep what they held, and the star tray starts empty unless its count
// and flags were read in agreement. A relaxed game's stored clock is ignored. Only a
// regular file is read, never a link.
void readStoredGame(const std::string& name);

} // namespace saves
