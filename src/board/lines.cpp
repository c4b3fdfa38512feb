#include "board/lines.hpp"

#include "board/board_setup.hpp"
#include "board/game_state.hpp"
#include "board/hooks.hpp"
#include "board/scoring.hpp"
#include "board/stars.hpp"

#include <cstdlib>

namespace board {

namespace {

constexpr int kLastWindow = kSide - 2;
constexpr int kRefillCycle = 11;

// What the scan knows between its steps. A run counts overlapping triples; the pending
// line is the one to be removed next. A run is closed only at the last window (j = 6)
// of its row or column.
struct Scan {
    int horizontalRun = 0;
    int verticalRun = 0;
    bool pending = false;
    int horizontalTriple = 0; // first column of the latest horizontal triple of row i
    int verticalTriple = 0;   // first row of the latest vertical triple of column i
};

int& at(int column, int row) {
    return GameState.grid[column][row];
}

// Only the kinds of the board form lines; anything else a damaged stored game might hold
// is left alone rather than scored.
bool equalTriple(int a, int b, int c) {
    return a >= 1 && a <= ElementKind::Bonus && a == b && b == c;
}

// When several runs meet in one pass the scan's counters follow only the latest
// triple, so this game removes the whole run of equal cells through that triple and
// nothing else: exactly the equal cells of the line. Other runs stay for a later scan.
Line horizontalLineThrough(int row, int firstColumn) {
    const int kind = at(firstColumn, row);
    int first = firstColumn;
    while (first > 1 && at(first - 1, row) == kind) {
        --first;
    }
    int last = firstColumn + 2;
    while (last < kSide && at(last + 1, row) == kind) {
        ++last;
    }
    return Line{first, row, last - first + 1, kind, false};
}

Line verticalLineThrough(int column, int firstRow) {
    const int kind = at(column, firstRow);
    int first = firstRow;
    while (first > 1 && at(column, first - 1) == kind) {
        --first;
    }
    int last = firstRow + 2;
    while (last < kSide && at(column, last + 1) == kind) {
        ++last;
    }
    return Line{column, first, last - first + 1, kind, true};
}

void noteTriple(Scan& scan, int kind, int run) {
    scan.pending = true;
    GameState.lineSize = run;
    GameState.lineKind = kind;
    GameState.boardChanged = 1;
}

void scoreLine(const Line& line) {
    GameState.lineKind = line.kind;
    GameState.lineSize = line.length - 2;
    scoreAward();
    show(BoardHooks.lineVanishes, line);
}

void countRefill() {
    GameState.refillCount += 1;
    if (GameState.refillCount >= kRefillCycle) {
        GameState.refillCount = 0;
    }
}

void removeHorizontal(const Line& line) {
    scoreLine(line);
    int entries[kSide] = {};
    for (int n = 0; n < line.length; ++n) {
        entries[n] = horizontalEntryKind();
        show(BoardHooks.entryWaits, line, n, entries[n]);
    }
    // The columns of the line, with the entries in the band above, slide down one cell.
    show(BoardHooks.lineFalls, line, 0);
    for (int n = 0; n < line.length; ++n) {
        const int column = line.column + n;
        for (int r = line.row - 1; r >= 1; --r) {
            at(column, r + 1) = at(column, r);
        }
        at(column, 1) = entries[n];
    }
    // The cells are brought up to date before the bar step, so that a paying bar turns
    // the bonus elements where they now stand, in both copies of the board.
    rebuildCellsFromGrid();
    show(BoardHooks.lineFell, line, 0);
    advanceKindBar();
    show(BoardHooks.lineRefilled, line);
    countRefill();
}

void removeVertical(const Line& line) {
    const int lastRow = line.row + line.length - 1;
    scoreLine(line);
    // One entering element at a time: the column above the highest cell still to be
    // filled slides down one cell and the new element comes in at the top.
    for (int n = 1; n <= line.length; ++n) {
        const int kind = verticalEntryKind(n);
        show(BoardHooks.entryWaits, line, n - 1, kind);
        show(BoardHooks.lineFalls, line, n - 1);
        for (int r = lastRow - 1; r >= 1; --r) {
            at(line.column, r + 1) = at(line.column, r);
        }
        at(line.column, 1) = kind;
        rebuildCellsFromGrid();
        show(BoardHooks.lineFell, line, n - 1);
    }
    advanceKindBar();
    show(BoardHooks.lineRefilled, line);
    countRefill();
}

} // namespace

int horizontalEntryKind() {
    const GameStateRecord& g = GameState;
    int k = std::rand() % 5 + 1;
    if (g.refillCount % 3 == 0) {
        k = std::rand() % 6 + 1;
    }
    if (g.level <= 2) {
        if (k == 5) {
            k = std::rand() % 4 + 1;
        }
        return k;
    }
    if (g.refillCount % 5 == 0) {
        k = std::rand() % 6 + 1;
    }
    if (g.level >= 6 && g.refillCount % 9 == 0) {
        k = std::rand() % 7 + 1;
    }
    return k;
}

int verticalEntryKind(int n) {
    const GameStateRecord& g = GameState;
    int k = std::rand() % 5 + 1;
    // Only the first two entering elements can be special: each draws afresh which of
    // the two (1 or 2) the special draws apply to.
    const int special = std::rand() % 2 + 1;
    if (g.refillCount % 3 == 0 && n == special) {
        k = std::rand() % 6 + 1;
    }
    if (g.level >= 6) {
        if (g.refillCount % 5 == 0 && n == special) {
            k = std::rand() % 6 + 1;
        }
        if (g.refillCount % 9 == 0 && n == special) {
            k = std::rand() % 7 + 1;
        }
    }
    if (g.level <= 2 && k == 5) {
        k = std::rand() % 4 + 1;
    }
    return k;
}

void resolveLines() {
    Scan scan;
    for (int i = 1; i <= kSide; ++i) {
        for (int j = 1; j <= kLastWindow; ++j) {
            // A run in one direction silences the other.
            if (scan.horizontalRun > 0) {
                scan.verticalRun = 0;
            } else if (scan.verticalRun > 0) {
                scan.horizontalRun = 0;
            }

            if (equalTriple(at(j, i), at(j + 1, i), at(j + 2, i))) {
                scan.horizontalRun += 1;
                scan.horizontalTriple = j;
                noteTriple(scan, at(j, i), scan.horizontalRun);
            }
            if (j == kLastWindow && scan.horizontalRun > 0) {
                removeHorizontal(horizontalLineThrough(i, scan.horizontalTriple));
                scan = Scan{};
            }

            if (equalTriple(at(i, j), at(i, j + 1), at(i, j + 2))) {
                scan.verticalRun += 1;
                scan.verticalTriple = j;
                noteTriple(scan, at(i, j), scan.verticalRun);
            }
            if (j == kLastWindow && scan.verticalRun > 0) {
                removeVertical(verticalLineThrough(i, scan.verticalTriple));
                scan = Scan{};
                checkStarDrops();
            } else if (!scan.pending) {
                checkStarDrops();
            }
        }
    }
}

} // namespace board
