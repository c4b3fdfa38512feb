#pragma once

// Line resolution: one call scans the column grid for rows and columns of three or more
// equal kinds; each line found is scored, vanishes, and is refilled from above while the
// elements over it fall. Lines the refills form are found later in the same scan when it
// has not passed them yet, otherwise in the next call (one frame later).
namespace board {

// Sets GameState.boardChanged to 1 when a line was found (never clears it).
void resolveLines();

// The kind of one element entering after a horizontal line, by level and refillCount.
int horizontalEntryKind();

// The kind of entering element number n (1..L) after a vertical line.
int verticalEntryKind(int n);

} // namespace board
