#pragma once

// The game in progress. One instance for the whole run; the board engine and the
// screens read and write its fields directly (single thread, no locking).
namespace board {

// Kinds of element; the value is also the sprite index in the sheet's first row.
namespace ElementKind {
inline constexpr int None = 0;     // border of the column grid, never on the board
inline constexpr int Star = 6;     // drops out as a star from the bottom row
inline constexpr int Bonus = 7;    // high scoring; turned into a kind when its bar pays
inline constexpr int StarIcon = 8; // the star as drawn in the star row, never a cell
} // namespace ElementKind

// The five ordinary kinds, 1..5, are the ones with a bar on the panel.
inline constexpr int kOrdinaryKinds = 5;
constexpr bool isOrdinary(int kind) {
    return kind >= 1 && kind <= kOrdinaryKinds;
}

// Game modes, stored in GameState.mode.
namespace GameMode {
inline constexpr int Relaxed = 0;
inline constexpr int Timed = 1;
} // namespace GameMode

inline constexpr int kCells = 64;
inline constexpr int kSide = 8;
// Levels of a game, one planet each, Mercury to Neptune.
inline constexpr int kLevels = 8;
// Stars that complete a level.
inline constexpr int kStarsPerLevel = 8;

// The highest score the game keeps: nine digits fit the panel, and an award never
// carries the score past what an int holds, whatever a stored game brought in.
inline constexpr int kMaxScore = 999'999'999;

struct GameStateRecord {
    int mode = GameMode::Relaxed;
    int level = 1; // 1..8 during play; 9 once Neptune is done
    int score = 0;
    int record = 0; // score of the first entry of the list in memory
    int awardPoints = 0;
    int stars = 0;
    int columnStar[kSide + 1] = {}; // by column 1..8
    int kindProgress[6] = {};       // by ordinary kind 1..5
    int lineKind = 0;
    int lineSize = 0;
    int refillCount = 0;
    int selectedCell = 0; // the cell a drag started on
    int pickedCell = 0;   // picked by a click, waiting for a click on a neighbour; 0 = none
    int cellX[kCells + 1] = {};
    int cellY[kCells + 1] = {};
    int cellKind[kCells + 1] = {};       // by cell number 1..64, row by row from the top left
    int grid[kSide + 1][kSide + 1] = {}; // the same kinds by [column][row]; index 0 stays empty
    int hintX = 0;
    int hintY = 0;
    int noMoves = 0;
    int boardChanged = 0;
    int resumedGame = 0;
    int nameEntryDue = 0;
    int clockBar = 0;   // rows of the clock bar already emptied
    int clockTicks = 0; // frames counted towards the next clock step
};
extern GameStateRecord GameState;

} // namespace board
