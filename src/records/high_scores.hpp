#pragma once

#include <string>

// The two lists of the twenty best results ("lir.txt" for the relaxed game, "lic.txt"
// for the timed game). Only the list of the mode read last is held in memory.
namespace records {

// The name of a result whose name was too short to keep: shown as no name at all.
inline constexpr const char* kNoName = "...";

inline constexpr int kListLength = 20;
inline constexpr int kListSlots = 21; // slot 21 is a spare that the file format carries
inline constexpr int kNameBytes = 17; // longest name, in bytes of UTF-8

struct HighScoreEntry {
    std::string name; // "" in an empty slot, kNoName once an empty slot has been written
    int level = 0;    // 1..8; 0 in an empty slot
    int score = 0;    // 0 marks an empty slot
};

// Entries 1..20 are the list, best first; index 0 is unused and 21 is the spare slot.
struct HighScoreListRecord {
    HighScoreEntry entry[kListSlots + 1];
};
extern HighScoreListRecord HighScoreList;

// Index 1..20 of the entry the latest recording added; 0 when there is none.
extern int newEntryIndex;

// The list file of a game mode: "lir.txt", "lic.txt", or nullptr for any other mode.
const char* listFileName(int mode);

// Every byte lowered by 7 (mod 256) for the file, and raised again when it is read.
std::string encodeListText(const std::string& plain);
std::string decodeListText(const std::string& stored);

// The plain text of entries 1..21 as the file holds it before encoding. Names of at
// most one byte are written, and from then on kept, as kNoName.
std::string listPlainText();

// Empties entries 1..20 in memory.
void clearListInMemory();

// False while the list in memory stands for a file that is there but could not be read
// (no permission, a directory or a link in its place, no room for the decoded copy):
// such a file is kept untouched, never written over with a list that lacks its results.
extern bool listReadable;

// Loads the list of the current GameState.mode into entries 1..20. A missing file
// reads as an empty list; a bad field ends the reading and leaves the rest empty; a file
// that cannot be read reads as empty and clears listReadable.
void readList();

// Stores entries 1..21 in the list file of the current mode. False when the list could
// not be stored (or must not be, see listReadable).
bool writeList();

// Places a result below every better or equal one and sets newEntryIndex; a result
// beaten by all twenty entries changes nothing.
void insertResult(const std::string& name, int level, int score);

// Reads the list of the mode about to be played and shows its best score as the
// record. Called when a game starts, before its screen is composed, so that a resumed
// game can still put its stored record in place.
void loadRecordForMode();

// Score of place 20 of the list in memory: a timed game's result must beat it.
int lastPlaceScore();

} // namespace records
