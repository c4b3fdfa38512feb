#pragma once

// Stars and the end of a level. Each column gives one star per level: a star element in
// its bottom row drops out once a line has been found since the drag began. Eight stars
// complete the level.
namespace board {

// For each column in order: drops its star element when it may, scores 1000 x level,
// slides the column down one cell and brings in a new element at the top.
void checkStarDrops();

// Dissolves the board, lights the planet of the level, shows its text and waits for the
// continue button; then, unless level 8 was completed (level becomes 9), fills a fresh
// board for the next level and restarts the music.
void completeLevel();

} // namespace board
