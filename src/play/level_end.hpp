#pragma once

// The end of a level, once its eighth star has dropped.
namespace play {

// Dissolves the board, lights the planet of the level, shows its text and waits for the
// continue button; then, unless level 8 was completed (level becomes 9), fills a fresh
// board for the next level and restarts the music.
void completeLevel();

} // namespace play
