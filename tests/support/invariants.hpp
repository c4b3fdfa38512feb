#pragma once

#include <string>
#include <vector>

// Checks of the board that hold whatever the game is doing, for the tests of the board
// engine and for the autoplay bot, which runs them after every flip.
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

// What is wrong with the board as it stands: the two copies (by cell number and by column
// and row) disagreeing, a kind outside 1..7, or the empty border of the column grid
// written. Empty when the board is sound. Each fault names the cell it was found in.
std::vector<std::string> boardFaults();

// The faults above joined into one line, empty when there are none; handy in assertions.
std::string describeBoardFaults();

// Every maximal run of three or more equal kinds 1..7 in the column grid, rows first.
std::vector<BoardLine> linesOnBoard();

// "No line is left on the board when the loop reaches the move search", in the form in
// which it holds.
//
// One resolveLines call scans rows and columns once. A line that the refill of an
// earlier line forms in a row or column the scan has already passed, and a line that a
// star's column forms as it slides down after the drop, are left for the next call, one
// frame later; the reshuffle of a board without moves runs after the move search and may
// make a line too. So a line may stand on the board at the end of a frame. What may not
// happen is that it survives a frame in which resolveLines found nothing: a scan over a
// board holding a line finds at least the first line in its order, because nothing before
// it changes. Hence the rule checked here, at the end of every loop frame: when the board
// held a line at the end of the previous frame, the frame in between found a line (its
// score, refill count, stars or level moved). A scan that misses a line (a window left
// out, a run not closed at the last window) breaks it in the first frame after.
class LineRule {
  public:
    // Called at the end of every loop frame, in order, none skipped. Returns the fault,
    // or an empty string.
    std::string frameEnded();

    // Forgets the previous frame, e.g. when a new game starts.
    void restart() { known_ = false; }

    // Frames so far that ended with a line left for the next one.
    int linesLeft() const { return linesLeft_; }

  private:
    struct FrameEnd {
        std::vector<BoardLine> lines;
        int score = 0;
        int refillCount = 0;
        int stars = 0;
        int level = 0;
    };
    static FrameEnd now();

    bool known_ = false;
    FrameEnd last_;
    int linesLeft_ = 0;
};

} // namespace support
