#pragma once

// Every award of points goes through scoreAward; every removed line of an ordinary kind
// advances that kind's bar, and a bar that passes 100 pays a bonus.
namespace board {

// Points for a line of `lineKind` (1..7) and size class `lineSize` (1 three, 2 four,
// 3 five; longer lines count as five) at `level`, with `score` before the award.
int linePoints(int lineKind, int lineSize, int level, int score);

// Sets GameState.awardPoints from the line in GameState.lineKind/lineSize (with
// lineKind 0 the preset awardPoints is kept), sounds the cues, adds the award to the
// score and has the score and record lines shown.
void scoreAward();

// Advances the bar of GameState.lineKind (1..5) by lineSize; past 100 it pays 500
// points, turns every bonus element into that kind and starts again from 0.
void advanceKindBar();

} // namespace board
