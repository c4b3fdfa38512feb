#pragma once

// The clock of the timed game: a bar at the right edge of the game screen that empties
// one pixel row per step. It counts frames, not seconds; every counted frame (the game
// loop's and those of the swap, line and star-drop animations) calls clockTick once.
namespace play {

// Steps after which the bar is empty and the time is up.
inline constexpr int kClockSteps = 316;
// Step at which the looping warning sound starts.
inline constexpr int kClockWarningStep = 300;

// Frames one step lasts on a level: 641 on level 1, 921 on level 8.
int framesPerClockStep(int level);

// Counts one frame; in the timed game it empties one more row of the bar and shows it
// when enough frames have passed. Does nothing in the relaxed game.
void clockTick();

// Counts `frames` frames (a pass of the game loop that stood for several, see
// app::FrameClock), stopping once the time is up. The rows it empties are drawn but not
// shown: the game loop shows each pass's changes once.
void clockTicks(int frames);

// Frames until the clock's next step in the timed game (at least 1); 0 in the relaxed
// game, whose clock never steps.
int framesToClockStep();

// The time-out: its sound and picture over the board. The game loop stops every cue
// and clears the bar before, and leaves the game after.
void timeUp();

// Draws the full bar on the current target, then the part emptied after `steps` steps
// taken back from Assets.screen (the inside of the bar's frame).
void drawClockBar(int steps);

} // namespace play
