#pragma once

#include <array>
#include <string>
#include <vector>

// Checks of the board that hold whatever the game is doing, for the board tests and for
// the autoplay bot, which runs them after every flip.
namespace support {

// A run of three or more equal kinds along a row or a column of the column grid.
struct BoardLine {
    int column = 0; // first cell of the run
    int row = 0;
    int length = 0;
    bool vertical = false;
    int kind = 0;
    bool operator==(const BoardLine&) const = default;
};

// Puts a board written as 8 lines of 8 kinds, top row first, into both copies of the
// board in the game state.
void givenBoard(const std::string& rows);

// What is wrong with the board, each fault naming its cell: the two copies (by cell number,
// by column and row) disagreeing, a kind outside 1..7, the empty border of the column grid
// written. Empty when the board is sound.
std::string describeBoardFaults();

// Every maximal run of three or more equal kinds 1..7 in the column grid, rows first.
std::vector<BoardLine> linesOnBoard();

// One scan of resolveLines may leave a line for the next frame: one that a refill forms
// behind the scan, one that a star's column forms as it slides down, one that the
// reshuffle makes. But a scan over a board holding a line always finds the first one in
// its order, so after a frame that ended with a line, the next frame must have found one
// (its score, refills, stars or level moved). A scan that misses a line (a window left
// out, a run not closed at the last cell) breaks this in the frame after.
class LineRule {
  public:
    // Called at the end of every loop frame, in order; returns the fault or "".
    std::string frameEnded();

  private:
    std::vector<BoardLine> lines_;
    std::array<int, 4> found_{};
};

} // namespace support
