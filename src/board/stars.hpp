#pragma once

// Stars. Each column gives one star per level: a star element in its bottom row drops out
// once a line has been found since the drag began. Eight stars complete the level.
namespace board {

// For each column in order: drops its star element when it may, scores 1000 x level,
// slides the column down one cell and brings in a new element at the top.
void checkStarDrops();

} // namespace board
