#pragma once

#include <string>

namespace saves {

// How many games are stored, as kept in "zg.txt".
struct SaveIndexRecord {
    int count = 0;
};
extern SaveIndexRecord SaveIndex;

// The access password of the game in progress, which is also the name of its
// stored-game file; empty for a game that was never stored.
extern std::string currentSaveName;

} // namespace saves
